// trace_copie on a started window's canvas: painting, one segment, clones,
// shadows, the "crayon" darkening and the jittered line. Expected pictures
// are drawn with the canvas's own primitives from the expected coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "colour/colour_generation.h"
#include "draw/copie.h"
#include "support/form_fixture.h"

namespace korvel {
namespace {

using testing::StartedForm;

constexpr TColor kBleu = RGB(0, 0, 255);
constexpr TColor kJaune = RGB(255, 255, 0);

struct Ligne {
  int x1, y1, x2, y2;
  TColor colour;
  int width;
};

Bitmap picture(const Canvas& model, const std::vector<Ligne>& lines, TColor fond = clBlack) {
  Canvas ref(model.width(), model.height());
  ref.Brush.Color = fond;
  ref.FillRect(0, 0, ref.width(), ref.height());
  for (const Ligne& l : lines) {
    ref.Pen.Color = l.colour;
    ref.Pen.Width = l.width;
    ref.MoveTo(l.x1, l.y1);
    ref.LineTo(l.x2, l.y2);
  }
  return ref.bitmap();
}

CopieContexte copie(double x1, double y1, double x2, double y2, TColor couleur) {
  return {Copie{x1, y1, x2, y2}, couleur};
}

struct TraceCopie : ::testing::Test {
  StartedForm f;
  void SetUp() override {
    ASSERT_EQ(f->RadioGroup_peindre_dessiner.choice<ModePeinture>(), ModePeinture::dessiner);
    ASSERT_EQ(f->RadioGroup_type_trace.choice<TypeTrace>(), TypeTrace::crayon);
    ASSERT_EQ(f.canvas().width(), 1920);
    f.canvas().Pen.Width = 1;
  }
  void clones(const char* count) {
    f->Edit6.set_text(count);
    ASSERT_EQ(f->nb_clones, StrToInt(count));
  }
  // With the settings trace_symetrique would hand it.
  void trace(CopieContexte c) {
    c.reglages = f->reglages_trace(Reglages::replication);
    f->trace_copie(c);
  }
};

// ---- painting ----------------------------------------------------------------

TEST_F(TraceCopie, SurfacePaintFillsTheAreaUnderThePoint) {
  f->RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_tant_que);
  ASSERT_EQ(f->RadioGroup_peindre_dessiner.choice<ModePeinture>(), ModePeinture::peind_tant_que);
  f->coul_peinture = clAqua;
  Canvas& c = f.canvas();
  c.Pen.Color = clWhite;
  c.MoveTo(100, 0);
  c.LineTo(100, c.height());
  trace(copie(0, 0, 49.5, 50.5, f->coul_crayon));
  EXPECT_EQ(c.Brush.Style, bsSolid);
  EXPECT_EQ(c.Brush.Color, clAqua);
  EXPECT_EQ(c.Pen.Color, clAqua);
  EXPECT_EQ(c.Pixels(0, 0), clAqua);
  EXPECT_EQ(c.Pixels(99, 1079), clAqua);
  EXPECT_EQ(c.Pixels(100, 500), clWhite);
  EXPECT_EQ(c.Pixels(101, 500), clBlack);
}

TEST_F(TraceCopie, SurfacePaintOnThePixelOfTheCallColourPaintsNothing) {
  f->RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_tant_que);
  f->coul_peinture = clAqua;
  Canvas& c = f.canvas();
  c.Pen.Color = clGreen;
  c.MoveTo(0, 50);
  c.LineTo(200, 50);
  const Bitmap before = c.bitmap();
  trace(copie(0, 0, 60, 50, clGreen));
  EXPECT_EQ(c.bitmap(), before);
  // Elsewhere the same call fills the black around it.
  trace(copie(0, 0, 60, 60, clGreen));
  EXPECT_EQ(c.Pixels(60, 60), clAqua);
  EXPECT_EQ(c.Pixels(60, 50), clGreen);
}

TEST_F(TraceCopie, BorderPaintFillsUpToThePenColour) {
  f->RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_jusqua);
  ASSERT_EQ(f->RadioGroup_peindre_dessiner.choice<ModePeinture>(), ModePeinture::peind_jusqua);
  f->coul_crayon = clWhite;
  f->coul_peinture = clRed;
  Canvas& c = f.canvas();
  c.Pen.Color = clWhite;
  c.MoveTo(10, 10);
  c.LineTo(50, 10);
  c.LineTo(50, 50);
  c.LineTo(10, 50);
  c.LineTo(10, 10);
  // The call's colour does not matter here: the border is coul_crayon.
  trace(copie(0, 0, 30, 30, kBleu));
  EXPECT_EQ(c.Pixels(11, 11), clRed);
  EXPECT_EQ(c.Pixels(49, 49), clRed);
  EXPECT_EQ(c.Pixels(10, 30), clWhite);
  EXPECT_EQ(c.Pixels(9, 30), clBlack);
  EXPECT_EQ(c.Pixels(500, 500), clBlack);
  // From outside the square the fill reaches the picture's edges only.
  trace(copie(0, 0, 500, 500, kBleu));
  EXPECT_EQ(c.Pixels(0, 0), clRed);
  EXPECT_EQ(c.Pixels(1919, 1079), clRed);
  EXPECT_EQ(c.Pixels(10, 30), clWhite);
}

TEST_F(TraceCopie, APaintPointOutsideThePicturePaintsNothing) {
  const Bitmap before = f.canvas().bitmap();
  for (ModePeinture mode : {ModePeinture::peind_tant_que, ModePeinture::peind_jusqua}) {
    f->RadioGroup_peindre_dessiner.set_choice(mode);
    ASSERT_EQ(f->RadioGroup_peindre_dessiner.choice<ModePeinture>(), mode);
    f->coul_crayon = clWhite;
    for (const auto& [x, y] : std::vector<std::pair<double, double>>{
             {-1, 10}, {10, -1}, {1920, 10}, {10, 1080}, {-0.6, 10}, {1919.5, 10}, {1e15, 5}, {5, -1e15},
             {std::numeric_limits<double>::infinity(), 5}, {std::nan(""), 5}}) {
      trace(copie(0, 0, x, y, clGreen));
      ASSERT_EQ(f.canvas().bitmap(), before) << int(mode) << " at " << x << ", " << y;
    }
  }
  // Just inside, -0.5 rounds to 0 (even) and paints.
  trace(copie(0, 0, -0.5, 10, clGreen));
  EXPECT_EQ(f.canvas().Pixels(0, 0), f->coul_peinture);
}

TEST_F(TraceCopie, PaintingDrawsNoLineCloneOrJitter) {
  f->RadioGroup_peindre_dessiner.set_choice(ModePeinture::peind_tant_que);
  f->CheckBox_epaisseur.set_checked(true);
  f->CheckBox_ombre_1.set_checked(true);
  clones("3");
  f->coul_peinture = clAqua;
  f->random().seed(3);
  RandomGenerator replay(3);
  trace(copie(10, 10, 2000, 2000, clGreen));  // paint point outside
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {}));
  EXPECT_EQ(f->Random(1 << 30), replay.Random(1 << 30));  // no draw from the generator
}

// ---- one segment -------------------------------------------------------------

TEST_F(TraceCopie, OneSegmentInTheCallColourRoundedHalvesToEven) {
  f.canvas().Pen.Color = clWhite;
  trace(copie(10.5, 20, 20.5, 20, clRed));     // 10 .. 20
  trace(copie(11.5, 30.5, 13.5, 30.5, clRed));  // 12 .. 14, row 30
  EXPECT_EQ(f.canvas().Pen.Color, clRed);
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{10, 20, 20, 20, clRed, 1}, {12, 30, 14, 30, clRed, 1}}));
  EXPECT_EQ(f.canvas().Pixels(19, 20), clRed);
  EXPECT_EQ(f.canvas().Pixels(20, 20), clBlack);
  EXPECT_EQ(f.canvas().Pixels(11, 30), clBlack);
}

TEST_F(TraceCopie, OneSegmentUsesThePenWidth) {
  f.canvas().Pen.Width = 5;
  trace(copie(100, 100, 140, 130, clRed));
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{100, 100, 140, 130, clRed, 5}}));
}

// ---- clones ------------------------------------------------------------------

struct CloneCase {
  const char* count;
  std::vector<int> shifts;
};

TEST_F(TraceCopie, ClonesSpreadAcrossTheScreenInTheDriversPenColour) {
  const std::vector<CloneCase> cases = {
      {"2", {-960, 0, 960}},
      {"3", {-480, 0, 480}},
      {"4", {-960, -480, 0, 480, 960}},
      {"5", {-640, -320, 0, 320, 640}},
      {"100", {}},
  };
  for (const CloneCase& cc : cases) {
    f->nouvelle_image();
    clones(cc.count);
    f.canvas().Pen.Color = kJaune;
    trace(copie(900, 500, 930, 510, clRed));
    std::vector<Ligne> lines;
    std::vector<int> shifts = cc.shifts;
    if (shifts.empty())  // 100: 101 clones, s = 1920 div 100 = 19
      for (int g = -50; g <= 50; ++g) shifts.push_back(g * 19);
    for (int o : shifts) lines.push_back({900 + o, 500, 930 + o, 510, kJaune, 1});
    EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), lines)) << "clones " << cc.count;
    EXPECT_EQ(f.canvas().Pen.Color, kJaune);
  }
}

TEST_F(TraceCopie, CloneCountsPastTheScreenDrawOneLineInThePenColour) {
  for (const char* count : {"1921", "2147483647"}) {
    f->nouvelle_image();
    clones(count);
    f.canvas().Pen.Color = kJaune;
    trace(copie(900, 500, 930, 510, clRed));
    EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{900, 500, 930, 510, kJaune, 1}})) << count;
  }
}

TEST_F(TraceCopie, CloneCountZeroDrawsAsOne) {
  clones("1");
  f.canvas().Pen.Color = clWhite;
  trace(copie(900, 500, 930, 510, clRed));
  const Bitmap one = f.canvas().bitmap();
  ASSERT_EQ(one, picture(f.canvas(), {{900, 500, 930, 510, clRed, 1}}));
  for (const char* count : {"0", "-1", "-2"}) {
    f->nouvelle_image();
    clones(count);
    f.canvas().Pen.Width = 1;
    f.canvas().Pen.Color = clWhite;
    trace(copie(900, 500, 930, 510, clRed));
    EXPECT_EQ(f.canvas().bitmap(), one) << count;
    EXPECT_EQ(f.canvas().Pen.Color, clRed) << count;
  }
}

TEST_F(TraceCopie, CloneCountZeroWithAShadowDrawsOneShadow) {
  f->CheckBox_ombre_1.set_checked(true);
  f->Edit7.set_text("3");
  clones("0");
  trace(copie(100, 100, 120, 100, RGB(200, 100, 50)));
  std::vector<Ligne> lines;
  for (int i = 0; i < 3; ++i)
    lines.push_back({100 + i, 100 + i, 120 + i, 100 + i, rampe_ombre(RGB(200, 100, 50), 3, i, {.carre = true}), 2});
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), lines));
}

TEST_F(TraceCopie, NegativeCloneCountsBelowMinusTwoDrawNothing) {
  clones("-3");
  trace(copie(900, 500, 930, 510, clRed));
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {}));
}

TEST_F(TraceCopie, ClonesBeyondThe32BitRangeAreSkipped) {
  clones("2");
  f.canvas().Pen.Color = clRed;
  // Shifted by -960 the first point and by +960 the second leave the range.
  trace(copie(-2147483000.0, 10, 2147483000.0, 12, clRed));
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{-2147483000, 10, 2147483000, 12, clRed, 1}}));
}

// ---- shadows -------------------------------------------------------------------

TEST_F(TraceCopie, ShadowIsABandOfWidthTwoLinesShaded) {
  for (bool sinus : {false, true}) {
    f->nouvelle_image();
    (sinus ? f->CheckBox_ombre_2 : f->CheckBox_ombre_1).set_checked(true);
    ASSERT_NE(f->CheckBox_ombre_1.checked(), f->CheckBox_ombre_2.checked());
    f->Edit7.set_text("12");
    const TColor base = RGB(200, 150, 100);
    trace(copie(300.5, 200, 340, 260.5, base));  // rounded to (300, 200) and (340, 260)
    std::vector<Ligne> lines;
    for (int i = 0; i < 12; ++i)
      lines.push_back({300 + i, 200 + i, 340 + i, 260 + i, rampe_ombre(base, 12, i, {.carre = !sinus, .sinus = sinus}), 2});
    EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), lines)) << sinus;
    EXPECT_EQ(f.canvas().Pen.Width, 2);
  }
}

TEST_F(TraceCopie, AShadowOfWidthOneIsOneLine) {
  f->Panel2Click();  // a white picture
  ASSERT_EQ(f.canvas().Pixels(0, 0), clWhite);
  f->Edit7.set_text("1");
  f->CheckBox_ombre_1.set_checked(true);
  trace(copie(10, 10, 30, 10, clRed));
  f->CheckBox_ombre_2.set_checked(true);
  trace(copie(10, 20, 30, 20, clRed));
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{10, 10, 30, 10, clRed, 2}, {10, 20, 30, 20, clBlack, 2}}, clWhite));
}

TEST_F(TraceCopie, AShadowWidthBelowOneDrawsNothing) {
  f->CheckBox_ombre_1.set_checked(true);
  f->Edit7.set_text("0");
  trace(copie(10, 10, 30, 10, clRed));
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {}));
}

// A width past the up-down's range, which only a program could set, is its
// maximum: the largest integer would hold the stroke for hours.
TEST_F(TraceCopie, AShadowWiderThanAHundredIsAHundredWide) {
  f->CheckBox_ombre_2.set_checked(true);
  const auto shadow = [&](const char* width) {
    f.canvas().Draw(0, 0, Bitmap(1920, 1080));
    f->Edit7.set_text(width);
    trace(copie(10, 10, 30, 10, clRed));
    return f.canvas().bitmap();
  };
  EXPECT_EQ(shadow("2147483647"), shadow("100"));
  EXPECT_NE(shadow("100"), shadow("99"));
}

TEST_F(TraceCopie, ShadowsOfClones) {
  f->CheckBox_ombre_1.set_checked(true);
  f->Edit7.set_text("4");
  clones("3");
  trace(copie(900, 100, 920, 140, clWhite));
  std::vector<Ligne> lines;
  for (int o : {-480, 0, 480})
    for (int i = 0; i < 4; ++i)
      lines.push_back({900 + o + i, 100 + i, 920 + o + i, 140 + i, rampe_ombre(clWhite, 4, i, {.carre = true}), 2});
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), lines));
}

// ---- random thickness: darkening and jitter ------------------------------------

TEST_F(TraceCopie, CrayonDarkensToSixtyOrSeventyPercentAndJitters) {
  f->CheckBox_epaisseur.set_checked(true);
  f->coul_crayon = RGB(200, 100, 55);
  int seen6 = 0, seen7 = 0;
  for (std::uint64_t seed = 1; seed <= 40; ++seed) {
    f->nouvelle_image();
    f.canvas().Pen.Width = 1;
    f->random().seed(seed);
    RandomGenerator replay(seed);
    CopieContexte c = copie(500, 500, 540, 520, kBleu);
    c.reglages = f->reglages_trace(Reglages::replication);
    f->trace_copie(c);
    // 60 % or 70 % of (200, 100, 55), each channel rounded down.
    const bool soixante = replay.Random(2) == 0;
    const int j1 = replay.Random(10), j2 = replay.Random(10), j3 = replay.Random(10), j4 = replay.Random(10);
    const TColor sombre = soixante ? RGB(120, 60, 33) : RGB(140, 70, 38);
    ASSERT_EQ(c.couleur, sombre);
    (soixante ? seen6 : seen7)++;
    EXPECT_EQ(f->rouge_crayon, 200);
    EXPECT_EQ(f->vert_crayon, 100);
    EXPECT_EQ(f->bleu_crayon, 55);
    ASSERT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{500, 500, 540, 520, sombre, 1},
                                                         {500 + j2 - 5, 500 + j1 - 5, 540 + j4 - 5, 520 + j3 - 5, sombre, 1}}))
        << seed;
  }
  EXPECT_GT(seen6, 5);
  EXPECT_GT(seen7, 5);
}

TEST_F(TraceCopie, OnlyCrayonDarkens) {
  f->CheckBox_epaisseur.set_checked(true);
  f->RadioGroup_type_trace.set_choice(TypeTrace::eventail);
  f->random().seed(8);
  RandomGenerator replay(8);
  CopieContexte c = copie(500, 500, 540, 520, kBleu);
  c.reglages = f->reglages_trace(Reglages::replication);
  f->trace_copie(c);
  EXPECT_EQ(c.couleur, kBleu);
  const int j1 = replay.Random(10), j2 = replay.Random(10), j3 = replay.Random(10), j4 = replay.Random(10);
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {{500, 500, 540, 520, kBleu, 1},
                                                       {500 + j2 - 5, 500 + j1 - 5, 540 + j4 - 5, 520 + j3 - 5, kBleu, 1}}));
}

TEST_F(TraceCopie, TheJitterFollowsTheUnshiftedCopyWithThePenLeftByTheClones) {
  f->CheckBox_epaisseur.set_checked(true);
  f->RadioGroup_type_trace.set_choice(TypeTrace::lignes);  // no darkening
  clones("3");
  f.canvas().Pen.Color = clWhite;
  f->random().seed(9);
  RandomGenerator replay(9);
  trace(copie(900, 300, 960, 300, kBleu));
  const int j1 = replay.Random(10), j2 = replay.Random(10), j3 = replay.Random(10), j4 = replay.Random(10);
  std::vector<Ligne> lines;
  for (int o : {-480, 0, 480}) lines.push_back({900 + o, 300, 960 + o, 300, clWhite, 1});
  lines.push_back({900 + j2 - 5, 300 + j1 - 5, 960 + j4 - 5, 300 + j3 - 5, clWhite, 1});
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), lines));
}

TEST_F(TraceCopie, TheJitterAfterAShadowHasWidthTwoAndTheLastShade) {
  f->CheckBox_epaisseur.set_checked(true);
  f->RadioGroup_type_trace.set_choice(TypeTrace::lignes);
  f->CheckBox_ombre_1.set_checked(true);
  f->Edit7.set_text("2");
  f->random().seed(10);
  RandomGenerator replay(10);
  trace(copie(100, 100, 150, 100, RGB(200, 200, 200)));
  const int j1 = replay.Random(10), j2 = replay.Random(10), j3 = replay.Random(10), j4 = replay.Random(10);
  const TColor last = rampe_ombre(RGB(200, 200, 200), 2, 1, {.carre = true});
  EXPECT_EQ(f.canvas().bitmap(),
            picture(f.canvas(), {{100, 100, 150, 100, RGB(200, 200, 200), 2},
                                 {101, 101, 151, 101, last, 2},
                                 {100 + j2 - 5, 100 + j1 - 5, 150 + j4 - 5, 100 + j3 - 5, last, 2}}));
}

// ---- coordinates that no int can hold ---------------------------------------------

TEST_F(TraceCopie, HugeAndNonFiniteCopiesDrawNothingAndNeverOverflow) {
  f->CheckBox_epaisseur.set_checked(true);
  f->CheckBox_ombre_1.set_checked(true);
  f->Edit7.set_text("12");
  clones("4");
  const double inf = std::numeric_limits<double>::infinity();
  for (const CopieContexte& c : {copie(inf, 0, 0, 0, clRed), copie(0, std::nan(""), 0, 0, clRed),
                                 copie(1e300, 1e300, -1e300, -1e300, clRed), copie(3e9, 5, 3e9, 6, clRed)}) {
    trace(c);
  }
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {}));
  // At the very edge of the range: the shifted, shadowed and jittered points
  // overflow int32 and are skipped, not wrapped onto the picture.
  trace(copie(2147483647.0, 2147483647.0, 2147483647.0, 2147483647.0, clRed));
  trace(copie(-2147483648.0, -2147483648.0, -2147483648.0, -2147483648.0, clRed));
  EXPECT_EQ(f.canvas().bitmap(), picture(f.canvas(), {}));
}

}  // namespace
}  // namespace korvel
