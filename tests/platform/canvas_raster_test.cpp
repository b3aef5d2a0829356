// The sixteen raster modes against their truth tables, and where they apply.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>

#include <random>

#include "platform/canvas.h"

namespace korvel {
namespace {

// Result bit for pen bit p and picture bit d, by mode ordinal.
bool truth(int mode, bool p, bool d) {
  const bool results[16] = {false,   true,      d,       !d,      p,      !p,
                            p || !d, p && !d,   !p || d, !p && d, p || d, !(p || d),
                            p && d,  !(p && d), p != d,  p == d};
  return results[mode];
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

TEST(RasterOp, NotOverBlackIsWhiteAndXorOfRedOverBlueIsMagenta) {
  Canvas c(2, 1);
  c.Pen.Mode = pmNot;
  c.MoveTo(0, 0);
  c.LineTo(1, 0);
  EXPECT_EQ(c.bitmap().row(0)[0], 0x00FFFFFFu);  // white, the top byte untouched
  c.Brush.Color = RGB(0, 0, 255);
  c.FillRect(0, 0, 2, 1);
  c.Pen = {RGB(255, 0, 0), 1, psSolid, pmXor};
  c.LineTo(0, 0);
  EXPECT_EQ(c.Pixels(1, 0), RGB(255, 0, 255));
}

// The mode reaches wide lines, ellipse brushes and flood fills; not FillRect.
TEST(RasterOp, ModeAppliesToPenBrushAndFillButNotFillRect) {
  const TColor base = RGB(0x30, 0x60, 0x90), ink = RGB(0x0F, 0xF0, 0x55);
  Canvas c(40, 10);
  c.Brush.Color = base;
  c.FillRect(0, 0, 40, 10);
  c.Pen = {ink, 4, psSolid, pmXor};
  c.MoveTo(5, 5);
  c.LineTo(5, 5);
  EXPECT_EQ(c.Pixels(5, 5), base ^ ink);
  c.Brush.Color = ink;
  c.Ellipse(10, 0, 20, 10);
  EXPECT_EQ(c.Pixels(15, 5), base ^ ink);
  c.FloodFill(35, 5, base, fsSurface);
  EXPECT_EQ(c.Pixels(35, 5), base ^ ink);
  c.FillRect(30, 0, 40, 10);
  EXPECT_EQ(c.Pixels(35, 5), ink);
}

// Three pens in a row, then the same three again, over random pixels: the
// second pass must change nothing exactly for the modes said to repeat
// harmlessly (copy, black, white, nop, not-copy and the merges and masks).
TEST(RasterOps, RepeatingHarmlesslyMeansASecondPassChangesNothing) {
  std::mt19937 rng(17);
  const std::set<TPenMode> harmless = {pmBlack, pmWhite, pmNop, pmCopy, pmNotCopy,
                                       pmMergeNotPen, pmMaskNotPen, pmMerge, pmMask};
  for (int m = 0; m < 16; ++m) {
    const TPenMode mode = TPenMode(m);
    bool changed = false;
    for (int i = 0; i < 2000 && !changed; ++i) {
      auto pen = [&rng] { return std::uint32_t(rng() & 0xFFFFFF); };
      const std::uint32_t pens[3] = {pen(), pen(), pen()};
      std::uint32_t d = pen();
      for (std::uint32_t p : pens) d = raster_op(mode, p).apply(d);
      std::uint32_t again = d;
      for (std::uint32_t p : pens) again = raster_op(mode, p).apply(again);
      changed = again != d;
    }
    EXPECT_EQ(repeats_harmlessly(mode), !changed) << "mode " << m;
    EXPECT_EQ(repeats_harmlessly(mode), harmless.count(mode) == 1) << "mode " << m;
  }
}

// A picture is one colour from its making until anything is drawn on it:
// whatever draws, the view then shows the pixels themselves. The picture is
// tall enough for the deferred lines to be drawn on several threads.
TEST(Canvas, IsOneColourUntilAnythingIsDrawnWhetherTheChangeWasTakenOrNot) {
  constexpr int kHeight = 4200;
  Bitmap square(4, 4, clRed);
  const TColor shades[3] = {RGB(0, 0, 255), RGB(0, 0, 200), RGB(0, 0, 150)};
  const std::pair<const char*, std::function<void(Canvas&)>> drawings[] = {
      {"line", [](Canvas& c) { c.MoveTo(1, 1), c.LineTo(30, 20); }},
      {"band", [&](Canvas& c) { c.draw_band({1, 1}, {30, 20}, shades); }},
      {"rectangle fill", [](Canvas& c) { c.FillRect(2, 2, 3, 3); }},
      {"surface fill", [](Canvas& c) { c.FloodFill(5, 5, clWhite, fsSurface); }},
      {"border fill", [](Canvas& c) { c.FloodFill(5, 5, clBlack, fsBorder); }},
      {"ellipse", [](Canvas& c) { c.Ellipse(3, 3, 12, 9); }},
      {"bitmap", [&](Canvas& c) { c.Draw(-2, -2, square); }},
      {"deferred lines", [](Canvas& c) {
         c.set_line_threads(LineThreads::of(2));
         Canvas::DeferredLines deferred(c);
         c.MoveTo(0, kHeight - 1), c.LineTo(39, 0);  // more rows than one thread is given
       }},
      {"deferred band", [&](Canvas& c) {
         c.set_line_threads(LineThreads::of(2));
         Canvas::DeferredLines deferred(c);
         c.Pen.Width = 2;
         c.draw_band({0, kHeight - 1}, {36, 0}, shades);
       }},
  };
  for (const auto& [what, draw] : drawings) {
    for (const bool taken : {false, true}) {
      Canvas c(40, kHeight, clWhite);
      // Reading keeps it so.
      EXPECT_EQ(c.Pixels(3, 3), clWhite);
      EXPECT_EQ(c.take_changed(), Rect{});
      EXPECT_EQ(c.uniform_colour(), clWhite) << what;
      c.Pen.Color = RGB(0, 0, 255);
      c.Brush.Color = RGB(0, 0, 255);
      draw(c);
      if (taken) {
        EXPECT_FALSE(c.take_changed().empty()) << what;
      }
      EXPECT_EQ(c.uniform_colour(), std::nullopt) << what << (taken ? ", change taken" : "");
    }
  }
  // The colour the pixels hold, without a top byte given with it.
  EXPECT_EQ(Canvas(5, 5, TColor(0x02000000) | RGB(1, 2, 3)).uniform_colour(), RGB(1, 2, 3));
  EXPECT_EQ(Canvas(square).uniform_colour(), std::nullopt) << "a picture from elsewhere is read";
}

}  // namespace
}  // namespace korvel
