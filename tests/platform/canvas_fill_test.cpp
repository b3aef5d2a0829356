// FloodFill, FillRect, Draw, Pixels and the changed rectangle.
#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <random>

#include "platform/canvas_test_support.h"

namespace korvel::testing {
namespace {

// Plain per-pixel flood fill: breadth first over a visited grid.
Bitmap reference_fill(const Bitmap& in, int x0, int y0, TColor colour, TFillStyle style,
                      RasterOp op) {
  Bitmap out = in;
  std::vector<char> seen(std::size_t(in.width()) * in.height(), 0);
  auto visit = [&](int x, int y, auto& queue) {
    if (!in.contains(x, y) || seen[std::size_t(y) * in.width() + x] ||
        (in.colour_at(x, y) == colour) != (style == fsSurface))
      return;
    seen[std::size_t(y) * in.width() + x] = 1;
    queue.push_back({x, y});
  };
  std::deque<std::pair<int, int>> queue;
  visit(x0, y0, queue);
  while (!queue.empty()) {
    const auto [x, y] = queue.front();
    queue.pop_front();
    out.row(y)[x] = op.apply(in.row(y)[x]);
    for (auto [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}})
      visit(nx, ny, queue);
  }
  return out;
}

TEST(CanvasFloodFill, ThinDiagonalIsABarrier) {
  Canvas c(10, 10);
  c.Pen.Color = clWhite;
  c.MoveTo(0, 0);
  c.LineTo(10, 10);
  c.Brush.Color = clRed;
  c.FloodFill(9, 0, clBlack, fsSurface);
  PixelSet red, above;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      if (c.Pixels(x, y) == clRed) red.insert({x, y});
      if (x > y) above.insert({x, y});
    }
  EXPECT_EQ(above.size(), 45u);
  EXPECT_EQ(red, above);
}

TEST(CanvasFloodFill, PaintsNothingWhenTheStartDoesNotQualify) {
  Canvas c(6, 6);
  c.Brush.Color = clWhite;
  c.FillRect(0, 0, 3, 6);
  const Bitmap before = c.bitmap();
  c.take_changed();
  c.Brush.Color = clRed;
  c.FloodFill(-1, 2, clBlack, fsSurface);
  c.FloodFill(6, 2, clBlack, fsBorder);
  c.FloodFill(4, 2, clWhite, fsSurface);  // black under the start
  c.FloodFill(1, 2, clWhite, fsBorder);   // on the border colour
  c.Brush.Style = bsClear;
  c.FloodFill(4, 2, clBlack, fsSurface);
  EXPECT_EQ(c.bitmap(), before);
  EXPECT_TRUE(c.changed().empty());
}

// Random few-colour pictures, half of them blocky for long runs, both
// styles, every mode: the span fill paints what the per-pixel fill does.
TEST(CanvasFloodFill, SpanFillMatchesThePerPixelFill) {
  std::mt19937 rng(21);
  for (int i = 0; i < 400; ++i) {
    const int w = 1 + int(rng() % (i % 5 ? 90 : 300)), h = 1 + int(rng() % 30);
    Canvas c(random_bitmap(w, h, rng, 2 + int(rng() % 3)));
    for (int k = i % 2 ? 30 : 0; k > 0; --k) {
      c.Brush.Color = TColor(rng() % 3) * 0x404040u;
      const int x = int(rng() % w), y = int(rng() % h);
      c.FillRect(x, y, x + 1 + int(rng() % 40), y + 1 + int(rng() % 8));
    }
    c.Pen.Mode = TPenMode(rng() % 16);
    c.Brush.Color = TColor(rng() & 0xFFFFFF);
    const int x = int(rng() % w), y = int(rng() % h);
    const TColor colour =
        i % 7 ? c.Pixels(int(rng() % w), int(rng() % h)) : TColor(rng() & 0xFFFFFF);
    const TFillStyle style = rng() % 2 ? fsSurface : fsBorder;
    const Bitmap want = reference_fill(c.bitmap(), x, y, colour, style,
                                       raster_op(c.Pen.Mode, pixel_of(c.Brush.Color)));
    const Bitmap before = c.bitmap();
    c.take_changed();
    c.FloodFill(x, y, colour, style);
    ASSERT_EQ(c.bitmap(), want) << "case " << i;  // equal bitmaps: every top byte 0 too
    // A surface fill changes every pixel it paints: the changed rectangle is
    // their bounding box.
    if (style == fsSurface) {
      Rect box;
      for (auto [px, py] : differing(before, want)) box.unite(Rect{int(px), int(py), int(px) + 1, int(py) + 1});
      ASSERT_EQ(c.take_changed(), box) << "case " << i;
    }
  }
}

TEST(CanvasFloodFill, RepaintingAnAreaInItsOwnColourChangesNothing) {
  Canvas canvas(40, 30);
  canvas.Brush.Color = clRed;
  canvas.FillRect(0, 0, 20, 30);
  canvas.take_changed();
  const Bitmap before = canvas.bitmap();
  canvas.FloodFill(5, 5, clRed, fsSurface);
  EXPECT_EQ(canvas.bitmap(), before);
  EXPECT_TRUE(canvas.take_changed().empty());
  // The same fill through a mode that does change red still paints the area.
  canvas.Pen.Mode = pmNot;
  canvas.FloodFill(5, 5, clRed, fsSurface);
  EXPECT_EQ(canvas.Pixels(19, 29), RGB(0, 255, 255));
  EXPECT_EQ(canvas.Pixels(20, 0), clBlack);
}

TEST(CanvasFillRect, CopiesTheBrushIntoTheClippedBoxWhateverTheMode) {
  std::mt19937 rng(2);
  std::uniform_int_distribution<int> coord(-10, 30);
  Canvas c(random_bitmap(20, 15, rng, 256));
  c.Pen.Mode = pmXor;
  for (int i = 0; i < 200; ++i) {
    Bitmap want = c.bitmap();
    const int l = coord(rng), t = coord(rng), r = coord(rng), b = coord(rng);
    c.Brush.Color = TColor(rng() & 0xFFFFFF);
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) want.set_colour(x, y, c.Brush.Color);
    c.FillRect(l, t, r, b);
    ASSERT_EQ(c.bitmap(), want);
  }
  c.FillRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(c.bitmap(), Bitmap(20, 15, c.Brush.Color));
  c.Brush = {clRed, bsClear};
  c.FillRect(0, 0, 20, 15);
  EXPECT_NE(c.Pixels(0, 0), clRed);
}

TEST(CanvasDraw, CopiesTheClippedBitmapAndLeavesTheRest) {
  std::mt19937 rng(8);
  const Bitmap src = random_bitmap(7, 5, rng, 256);
  for (int x : {-8, -3, 0, 9, 15, INT_MIN, INT_MAX - 3}) {
    for (int y : {-6, 0, 2, 9, INT_MIN, INT_MAX}) {
      Canvas c(random_bitmap(12, 9, rng, 256));
      Bitmap want = c.bitmap();
      for (i64 j = 0; j < src.height() && y + j <= INT_MAX; ++j)
        for (i64 i = 0; i < src.width() && x + i <= INT_MAX; ++i)
          want.set_colour(int(x + i), int(y + j), src.colour_at(int(i), int(j)));
      c.Draw(x, y, src);
      ASSERT_EQ(c.bitmap(), want) << x << "," << y;
    }
  }
  // Onto itself, shifted; a foreign bitmap's top byte is dropped.
  Canvas c(random_bitmap(12, 9, rng, 256));
  Bitmap want = c.bitmap();
  for (int j = 0; j < 8; ++j)
    for (int i = 0; i < 11; ++i) want.set_colour(i + 1, j + 1, c.Pixels(i, j));
  c.Draw(1, 1, c.bitmap());
  EXPECT_EQ(c.bitmap(), want);
  Bitmap alpha(1, 1);
  alpha.data()[0] = 0xFF123456;
  c.Draw(0, 0, alpha);
  EXPECT_EQ(c.bitmap().data()[0], 0x00123456u);
  EXPECT_EQ(Canvas(alpha).bitmap().data()[0], 0x00123456u);
  EXPECT_EQ(c.Pixels(0, 0), colour_of(0x123456));
  for (auto [px, py] : {std::pair{-1, 0}, {12, 0}, {0, 9}}) EXPECT_EQ(c.Pixels(px, py), clInvalid);
}

// In XOR with a non-black pen every touched pixel changes, so the changed
// rectangle is the bounding box of the difference.
TEST(CanvasChanged, IsTheBoundingBoxOfTouchedPixels) {
  std::mt19937 rng(6);
  std::uniform_int_distribution<int> coord(-30, 70);
  for (int i = 0; i < 300; ++i) {
    Canvas c(40, 30);
    c.Pen = {clWhite, 1 + int(rng() % 9), psSolid, pmXor};
    c.Brush.Style = bsClear;
    const int a = coord(rng), b = coord(rng), d = coord(rng), e = coord(rng);
    if (i % 2)
      c.MoveTo(a, b), c.LineTo(d, e);
    else
      c.Ellipse(a, b, d, e);
    Rect box;
    for (auto [x, y] : differing(c.bitmap(), Canvas(40, 30).bitmap()))
      box.unite(Rect{int(x), int(y), int(x) + 1, int(y) + 1});
    ASSERT_EQ(c.take_changed(), box);
    ASSERT_TRUE(c.changed().empty());
  }
}

TEST(CanvasEmpty, EveryCallIsSafeOnAZeroSizedCanvas) {
  for (Canvas c : {Canvas(0, 0), Canvas(0, 5), Canvas(5, 0), Canvas()}) {
    for (int w : {0, 1, 7, 100000}) {
      c.Pen.Width = w;
      c.MoveTo(INT_MIN, INT_MIN);
      c.LineTo(INT_MAX, INT_MAX);
      c.LineTo(0, 0);
      c.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
      c.Ellipse(-1, -1, 3, 3);
    }
    c.FillRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    c.FloodFill(0, 0, clBlack, fsSurface);
    c.Draw(0, 0, Bitmap(3, 3));
    EXPECT_EQ(c.Pixels(0, 0), clInvalid);
    EXPECT_TRUE(c.take_changed().empty());
  }
}

}  // namespace
}  // namespace korvel::testing
