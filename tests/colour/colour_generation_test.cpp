// Colour generation: the ranges and draw orders of the four random styles,
// checked on a seeded generator, and the shade ramp.
#include "colour/colour_generation.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

constexpr int kDraws = 20000;

struct Canaux {
  int r, g, b;
};
Canaux canaux(TColor c) { return {red_of(c), green_of(c), blue_of(c)}; }

TEST(CouleurNormale, ChannelsCover0To254AndNever255) {
  RandomGenerator rng(1);
  std::array<std::set<int>, 3> seen;
  for (int i = 0; i < kDraws; ++i) {
    const TColor c = couleur_normale(rng);
    ASSERT_EQ(c >> 24, 0u);
    const auto [r, g, b] = canaux(c);
    for (int v : {r, g, b}) {
      ASSERT_GE(v, 0);
      ASSERT_LE(v, 254);
    }
    seen[0].insert(r);
    seen[1].insert(g);
    seen[2].insert(b);
  }
  for (const auto& s : seen) EXPECT_EQ(s.size(), 255u);  // every value 0..254
}

TEST(CouleurNormale, DrawsBlueThenGreenThenRed) {
  RandomGenerator rng(77), replay(77);
  for (int i = 0; i < 1000; ++i) {
    const TColor c = couleur_normale(rng);
    const int b = replay.Random(255), g = replay.Random(255), r = replay.Random(255);
    ASSERT_EQ(c, RGB(r, g, b)) << i;
  }
}

TEST(CouleurVive, OneOrTwoHighChannelsNeverAllOfOneKind) {
  RandomGenerator rng(2);
  std::set<int> patterns;
  for (int i = 0; i < kDraws; ++i) {
    const auto [r, g, b] = canaux(couleur_vive(rng));
    int hauts = 0, mask = 0, bit = 1;
    for (int v : {r, g, b}) {
      ASSERT_LE(v, 254);
      if (v >= 128) {
        ++hauts;
        mask |= bit;
      }
      bit <<= 1;
    }
    ASSERT_TRUE(hauts == 1 || hauts == 2) << r << " " << g << " " << b;
    patterns.insert(mask);
  }
  // The six patterns: R, G, B, RG, GB, RB high.
  EXPECT_EQ(patterns, (std::set<int>{1, 2, 4, 3, 6, 5}));
}

TEST(CouleurVive, SelectorFirstThenTheTablesDrawOrder) {
  // For each selector: which channels are high, and the order of the draws
  // (0 red, 1 green, 2 blue).
  struct Motif {
    std::array<bool, 3> haut;
    std::array<int, 3> ordre;
  };
  const std::array<Motif, 6> motifs = {{
      {{true, false, false}, {0, 2, 1}},
      {{false, true, false}, {1, 2, 0}},
      {{false, false, true}, {2, 1, 0}},
      {{true, true, false}, {1, 0, 2}},
      {{false, true, true}, {2, 1, 0}},
      {{true, false, true}, {2, 0, 1}},
  }};
  RandomGenerator rng(3), replay(3);
  std::array<int, 6> counts{};
  for (int i = 0; i < kDraws; ++i) {
    const TColor c = couleur_vive(rng);
    const int s = replay.Random(6);
    ++counts[std::size_t(s)];
    std::array<int, 3> v{};
    for (int channel : motifs[std::size_t(s)].ordre)
      v[std::size_t(channel)] =
          motifs[std::size_t(s)].haut[std::size_t(channel)] ? 128 + replay.Random(127) : replay.Random(128);
    ASSERT_EQ(c, RGB(v[0], v[1], v[2])) << "draw " << i << " selector " << s;
  }
  // Each pattern about one time in six.
  for (int n : counts) EXPECT_NEAR(n, kDraws / 6, kDraws / 30);
}

TEST(CouleurVive, HighAndLowRanges) {
  RandomGenerator rng(4);
  int min_haut = 255, max_haut = 0, min_bas = 255, max_bas = 0;
  for (int i = 0; i < kDraws; ++i) {
    const auto [r, g, b] = canaux(couleur_vive(rng));
    for (int v : {r, g, b}) {
      if (v >= 128) {
        min_haut = std::min(min_haut, v);
        max_haut = std::max(max_haut, v);
      } else {
        min_bas = std::min(min_bas, v);
        max_bas = std::max(max_bas, v);
      }
    }
  }
  EXPECT_EQ(min_haut, 128);
  EXPECT_EQ(max_haut, 254);
  EXPECT_EQ(min_bas, 0);
  EXPECT_EQ(max_bas, 127);
}

TEST(CouleurDegrade, BetweenBlackAndTheOrigin) {
  RandomGenerator rng(5);
  int max_r = 0;
  for (int i = 0; i < kDraws; ++i) {
    const auto [r, g, b] = canaux(couleur_degrade(RGB(255, 0, 0), rng));
    ASSERT_EQ(g, 0);
    ASSERT_EQ(b, 0);
    ASSERT_LE(r, 254);
    max_r = std::max(max_r, r);
  }
  EXPECT_EQ(max_r, 254);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(couleur_degrade(clBlack, rng), clBlack);
  for (int i = 0; i < kDraws; ++i) {
    const auto [r, g, b] = canaux(couleur_degrade(RGB(10, 200, 1), rng));
    ASSERT_LT(r, 10);
    ASSERT_LT(g, 200);
    ASSERT_EQ(b, 0);  // Random(1) is 0
  }
}

TEST(CouleurDegrade, DrawsRedThenGreenThenBlue) {
  RandomGenerator rng(6), replay(6);
  const TColor origine = RGB(200, 150, 100);
  for (int i = 0; i < 1000; ++i) {
    const TColor c = couleur_degrade(origine, rng);
    const int r = replay.Random(200), g = replay.Random(150), b = replay.Random(100);
    ASSERT_EQ(c, RGB(r, g, b)) << i;
  }
  // Random(0) draws nothing: a black origin leaves the generator as it was.
  RandomGenerator a(9), b(9);
  couleur_degrade(clBlack, a);
  EXPECT_EQ(a.Random(1000000), b.Random(1000000));
}

TEST(CouleurGrise, OneDrawForTheThreeChannels) {
  RandomGenerator rng(7), replay(7);
  std::set<int> seen;
  for (int i = 0; i < kDraws; ++i) {
    const TColor c = couleur_grise(rng);
    const int v = replay.Random(255);
    ASSERT_EQ(c, RGB(v, v, v));
    seen.insert(v);
  }
  EXPECT_EQ(seen.size(), 255u);
  EXPECT_EQ(*seen.rbegin(), 254);
}

TEST(CouleurDuStyle, DispatchesByIndexAndFallsBackToNormale) {
  const TColor origine = RGB(90, 80, 70);
  for (int style : {-1, 0, 1, 2, 3, 4, 99}) {
    RandomGenerator rng(11), replay(11);
    TColor expected = 0;
    switch (style) {
      case 1: expected = couleur_vive(replay); break;
      case 2: expected = couleur_degrade(origine, replay); break;
      case 3: expected = couleur_grise(replay); break;
      default: expected = couleur_normale(replay); break;
    }
    EXPECT_EQ(couleur_du_style(style, origine, rng), expected) << style;
    EXPECT_EQ(rng.Random(1 << 30), replay.Random(1 << 30)) << style;  // same number of draws
  }
}

TEST(CoulAleatoire, ReadsTheStyleGroupAndPanel10) {
  StartedForm f;
  f->Panel10.set_color(RGB(0, 100, 0));
  for (int style : {0, 1, 2, 3, -1}) {
    f->RadioGroup_coul_type.set_item_index(style);
    ASSERT_EQ(f->RadioGroup_coul_type.item_index(), style);
    f->random().seed(99);
    RandomGenerator replay(99);
    for (int i = 0; i < 50; ++i)
      ASSERT_EQ(f->coul_aleatoire(), couleur_du_style(style, RGB(0, 100, 0), replay)) << style;
  }
  // "dégradé" from the start-up red.
  f->Panel10.set_color(clRed);
  f->RadioGroup_coul_type.set_item_index(2);
  for (int i = 0; i < 200; ++i) {
    const TColor c = f->coul_aleatoire();
    ASSERT_EQ(c & 0xFFFF00u, 0u);
    ASSERT_LE(red_of(c), 254);
  }
}

TEST(RampeOmbre, LinearWithoutBoxes) {
  const TColor base = RGB(200, 100, 50);
  EXPECT_EQ(rampe_ombre(base, 12, 0, {}), base);
  EXPECT_EQ(red_of(rampe_ombre(base, 12, 6, {})), 100);
  EXPECT_EQ(red_of(rampe_ombre(base, 12, 11, {})), 17);  // 200 / 12 = 16.67
  EXPECT_EQ(rampe_ombre(base, 12, 6, {}), RGB(100, 50, 25));
  EXPECT_EQ(rampe_ombre(base, 1, 0, {}), base);
  EXPECT_EQ(rampe_ombre(base, 4, 3, {}), RGB(50, 25, 12));  // 12.5 goes to 12
}

TEST(RampeOmbre, HalvesGoToEven) {
  // f = 0.5: 1 -> 0.5 -> 0, 3 -> 1.5 -> 2, 5 -> 2.5 -> 2.
  EXPECT_EQ(rampe_ombre(RGB(1, 3, 5), 2, 1, {}), RGB(0, 2, 2));
  EXPECT_EQ(rampe_ombre(RGB(7, 9, 255), 2, 1, {}), RGB(4, 4, 128));
}

TEST(RampeOmbre, Ombre1SquaresTheFactor) {
  const TColor base = RGB(200, 100, 40);
  EXPECT_EQ(rampe_ombre(base, 12, 0, {.carre = true}), base);
  EXPECT_EQ(rampe_ombre(base, 12, 6, {.carre = true}), RGB(50, 25, 10));
  EXPECT_EQ(rampe_ombre(base, 10, 9, {.carre = true}), RGB(2, 1, 0));  // f = 0.01
}

TEST(RampeOmbre, Ombre2TakesTheSineOf314f) {
  const TColor base = RGB(200, 255, 100);
  // f = 1: |sin 3.14| ~ 0.0016, nearly black.
  EXPECT_EQ(rampe_ombre(base, 1, 0, {.sinus = true}), clBlack);
  EXPECT_EQ(rampe_ombre(RGB(255, 255, 255), 12, 0, {.sinus = true}), clBlack);
  // f = 0.5: sin 1.57 ~ 0.9999997, the full colour.
  EXPECT_EQ(rampe_ombre(base, 2, 1, {.sinus = true}), base);
  // f = 0.75: sin 2.355 = 0.70795...
  EXPECT_EQ(rampe_ombre(base, 4, 1, {.sinus = true}), RGB(142, 181, 71));
}

TEST(RampeOmbre, BothBoxesSquareThenSine) {
  // f = 0.5 squared is 0.25; sin(0.785) = 0.70682...
  EXPECT_EQ(rampe_ombre(RGB(200, 100, 0), 2, 1, {.carre = true, .sinus = true}), RGB(141, 71, 0));
}

TEST(RampeOmbre, StepsOutsideTheRampStayColours) {
  EXPECT_EQ(rampe_ombre(RGB(200, 100, 50), 0, 0, {}), clBlack);
  EXPECT_EQ(rampe_ombre(RGB(200, 100, 50), 4, 9, {}), clBlack);
  EXPECT_EQ(rampe_ombre(RGB(200, 100, 50), 4, -4, {}), RGB(200, 100, 50));
}

TEST(RampeOmbre, TheFormReadsTheShadowBoxes) {
  StartedForm f;
  const TColor base = RGB(200, 100, 40);
  EXPECT_EQ(f->rampe_ombre(base, 12, 6), RGB(100, 50, 20));
  f->CheckBox_ombre_1.set_checked(true);
  EXPECT_EQ(f->rampe_ombre(base, 12, 6), RGB(50, 25, 10));
  f->CheckBox_ombre_2.set_checked(true);  // unchecks "ombre 1" through its handler
  EXPECT_EQ(f->rampe_ombre(base, 2, 1), rampe_ombre(base, 2, 1, {.carre = f->CheckBox_ombre_1.checked(), .sinus = true}));
  f->CheckBox_ombre_1.set_checked(false);
  f->CheckBox_ombre_2.set_checked(false);
  EXPECT_EQ(f->rampe_ombre(base, 12, 6), RGB(100, 50, 20));
}

}  // namespace
}  // namespace korvel
