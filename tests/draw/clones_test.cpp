// The clones of a copy: how many, how far apart, and that a count past the
// screen's width draws what the plain loop of identical draws would.
#include "draw/clones.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "draw/copie.h"
#include "support/form_fixture.h"

namespace korvel {
namespace {

TEST(ClonesDe, CountsAndSpacingOnAFullHdScreen) {
  // Even counts draw one clone more than asked, odd counts as many.
  EXPECT_EQ(clones_de(2, 1920), (Clones{1, 960}));
  EXPECT_EQ(clones_de(3, 1920), (Clones{1, 480}));
  EXPECT_EQ(clones_de(4, 1920), (Clones{2, 480}));
  EXPECT_EQ(clones_de(5, 1920), (Clones{2, 320}));
  EXPECT_EQ(clones_de(100, 1920), (Clones{50, 19}));
  EXPECT_EQ(clones_de(1920, 1920), (Clones{960, 1}));  // 1921 clones, one pixel apart
}

TEST(ClonesDe, OneAndTheCountsThatWouldDivideByZeroDrawOneSegment) {
  for (std::int64_t c : {1, 0, -1, -2}) EXPECT_EQ(clones_de(c, 1920), std::nullopt) << c;
}

TEST(ClonesDe, CountsBelowMinusTwoDrawNothing) {
  for (std::int64_t c : {-3, -4, -5, -6, -1000, int(std::numeric_limits<std::int32_t>::min())}) {
    const auto clones = clones_de(c, 1920);
    ASSERT_TRUE(clones.has_value()) << c;
    EXPECT_LT(clones->demi, 0) << c;
  }
}

TEST(ClonesDe, CountsPastTheScreenWidthCoincideAsOne) {
  EXPECT_EQ(clones_de(1921, 1920), (Clones{0, 0}));
  EXPECT_EQ(clones_de(std::numeric_limits<std::int32_t>::max(), 1920), (Clones{0, 0}));
  EXPECT_EQ(clones_de(3, 1), (Clones{0, 0}));
}

// 2001 clones on a 320-pixel screen coincide: 1001 of them each side of the
// copy, 2003 draws in all. One draw must leave the same picture in every
// raster mode, shadows included.
TEST(ClonesDe, CoincidingClonesMatchThePlainLoopInEveryMode) {
  for (bool ombre : {false, true}) {
    for (int mode = pmBlack; mode <= pmNotXor; ++mode) {
      testing::StartedForm f(320, 240);
      testing::StartedForm plain(320, 240);
      for (auto* form : {&f, &plain}) {
        // A background with every bit pattern, so XOR-like modes show parity.
        Canvas& c = form->canvas();
        for (int x = 0; x < 320; ++x) {
          c.Pen.Color = RGB(x % 256, (x * 7) % 256, (x * 13) % 256);
          c.MoveTo(x, 0);
          c.LineTo(x, 240);
        }
        (*form)->CheckBox_ombre_1.set_checked(ombre);
        (*form)->Edit7.set_text("3");
      }
      f->Edit6.set_text("2001");
      f.canvas().Pen.Mode = TPenMode(mode);
      f.canvas().Pen.Color = RGB(200, 60, 30);
      f.canvas().Pen.Width = 3;
      CopieContexte copie{Copie{100, 50, 180, 120}, RGB(90, 200, 10)};
      copie.reglages = f->reglages_trace(Reglages::replication);
      f->trace_copie(copie);

      Canvas& c = plain.canvas();
      c.Pen.Mode = TPenMode(mode);
      c.Pen.Width = 3;
      for (int n = 0; n < 2003; ++n) {
        if (!ombre) {
          c.Pen.Color = RGB(200, 60, 30);
          c.MoveTo(100, 50);
          c.LineTo(180, 120);
          continue;
        }
        for (int i = 0; i < 3; ++i) {
          c.Pen.Color = plain->rampe_ombre(RGB(90, 200, 10), 3, i);
          c.Pen.Width = 2;
          c.MoveTo(100 + i, 50 + i);
          c.LineTo(180 + i, 120 + i);
        }
      }
      ASSERT_EQ(f.canvas().bitmap(), c.bitmap()) << "mode " << mode << (ombre ? " with shadow" : "");
    }
  }
}

}  // namespace
}  // namespace korvel
