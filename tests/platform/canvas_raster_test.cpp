// The sixteen raster modes against their truth tables, and where they apply.
#include <gtest/gtest.h>

#include <random>

#include "platform/canvas.h"

namespace korvel {
namespace {

// Result bit for pen bit p and picture bit d, by mode ordinal: the table's
// formulas written out per bit.
bool truth(int mode, bool p, bool d) {
  switch (mode) {
    case 0: return false;
    case 1: return true;
    case 2: return d;
    case 3: return !d;
    case 4: return p;
    case 5: return !p;
    case 6: return p || !d;
    case 7: return p && !d;
    case 8: return !p || d;
    case 9: return !p && d;
    case 10: return p || d;
    case 11: return !(p || d);
    case 12: return p && d;
    case 13: return !(p && d);
    case 14: return p != d;
    default: return p == d;
  }
}

TEST(RasterOp, EveryModeFollowsItsTruthTableOnTheColourBitsOnly) {
  std::mt19937 rng(7);
  for (int mode = 0; mode < 16; ++mode) {
    for (int i = 0; i < 50; ++i) {
      const std::uint32_t p = rng(), d = rng() & 0xFFFFFF;
      std::uint32_t want = 0;
      for (int bit = 0; bit < 24; ++bit)
        if (truth(mode, (p >> bit) & 1, (d >> bit) & 1)) want |= 1u << bit;
      EXPECT_EQ(raster_op(TPenMode(mode), p).apply(d), want) << "mode " << mode;
    }
  }
}

TEST(RasterOp, NotOverBlackIsWhiteAndXorMixesColours) {
  Canvas c(4, 1);
  c.Pen.Mode = pmNot;
  c.MoveTo(0, 0);
  c.LineTo(2, 0);
  EXPECT_EQ(c.Pixels(0, 0), clWhite);
  EXPECT_EQ(c.bitmap().row(0)[1], 0x00FFFFFFu);  // top byte untouched
  EXPECT_EQ(c.Pixels(2, 0), clBlack);

  Canvas m(1, 1);
  m.Brush.Color = RGB(0, 0, 255);
  m.FillRect(0, 0, 1, 1);
  m.Pen.Mode = pmXor;
  m.Pen.Color = RGB(255, 0, 0);
  m.MoveTo(0, 0);
  m.LineTo(1, 0);
  EXPECT_EQ(m.Pixels(0, 0), RGB(255, 0, 255));
}

// The mode reaches wide lines, ellipse brushes and flood fills; not FillRect.
TEST(RasterOp, ModeAppliesToPenBrushAndFillButNotFillRect) {
  const TColor base = RGB(0x30, 0x60, 0x90), ink = RGB(0x0F, 0xF0, 0x55);
  const TColor xored = base ^ ink;
  Canvas c(40, 10);
  c.Brush.Color = base;
  c.FillRect(0, 0, 40, 10);
  c.Pen.Mode = pmXor;
  c.Pen.Color = ink;
  c.Pen.Width = 4;
  c.MoveTo(5, 5);
  c.LineTo(5, 5);
  EXPECT_EQ(c.Pixels(5, 5), xored);
  c.Brush.Color = ink;
  c.Ellipse(10, 0, 20, 10);
  EXPECT_EQ(c.Pixels(15, 5), xored);
  c.FloodFill(35, 5, base, fsSurface);
  EXPECT_EQ(c.Pixels(35, 5), xored);
  c.FillRect(30, 0, 40, 10);
  EXPECT_EQ(c.Pixels(35, 5), ink);
}

}  // namespace
}  // namespace korvel
