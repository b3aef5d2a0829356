// Ellipse: midpoint outline with the pen over a brush fill that includes it.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "platform/canvas_test_support.h"

namespace korvel::testing {
namespace {

constexpr TColor kPen = RGB(200, 0, 0), kBrush = RGB(0, 0, 200);

// Rows of the picture: '#' pen, 'o' brush, '.' untouched.
std::vector<std::string> picture(const Canvas& c) {
  std::vector<std::string> rows(c.height(), std::string(c.width(), '.'));
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (c.Pixels(x, y) == kPen) rows[y][x] = '#';
      else if (c.Pixels(x, y) == kBrush) rows[y][x] = 'o';
  return rows;
}

Canvas drawn(int w, int h, int l, int t, int r, int b, int pen_width = 1) {
  Canvas c(w, h);
  c.Pen.Color = kPen;
  c.Pen.Width = pen_width;
  c.Brush.Color = kBrush;
  c.Ellipse(l, t, r, b);
  return c;
}

PixelSet outline(int w, int h, int l, int t, int r, int b) {
  return lit(w, h, 1, [&](Canvas& c) { c.Ellipse(l, t, r, b); });
}

TEST(CanvasEllipse, SmallBoxesAsPictured) {
  EXPECT_EQ(picture(drawn(4, 4, 0, 0, 4, 4)),
            (std::vector<std::string>{".##.", "#oo#", "#oo#", ".##."}));
  EXPECT_EQ(picture(drawn(10, 10, 10, 10, 0, 0)),  // the box is normalised
            (std::vector<std::string>{"...####...", "..#oooo#..", ".#oooooo#.", "#oooooooo#",
                                      "#oooooooo#", "#oooooooo#", "#oooooooo#", ".#oooooo#.",
                                      "..#oooo#..", "...####..."}));
  // Width or height up to 2: a rectangle, every pixel on its outline.
  EXPECT_EQ(picture(drawn(5, 4, 1, 0, 3, 4)), (std::vector<std::string>(4, ".##..")));
  EXPECT_EQ(picture(drawn(5, 3, 0, 1, 5, 2)), (std::vector<std::string>{".....", "#####", "....."}));
  EXPECT_EQ(picture(drawn(5, 4, 2, 0, 2, 4)), (std::vector<std::string>(4, ".....")));
}

// Over many boxes: the outline touches the box's four sides, is symmetric,
// closes the fill (no fill pixel next to the outside) and is one pixel thin
// (each outline pixel touches the outside).
TEST(CanvasEllipse, OutlinesAreClosedThinSymmetricAndReachTheBox) {
  for (int w = 3; w <= 34; ++w) {
    for (int h = 3; h <= 34; h += (w < 8 ? 1 : 5)) {
      const Canvas c = drawn(w + 2, h + 2, 1, 1, w + 1, h + 1);
      const std::vector<std::string> p = picture(c);
      auto at = [&](int x, int y) { return p[y][x]; };
      bool top = false, left = false;
      for (int i = 1; i <= w; ++i) top |= at(i, 1) == '#';
      for (int i = 1; i <= h; ++i) left |= at(1, i) == '#';
      ASSERT_TRUE(top && left) << w << "x" << h;
      PixelSet transposed;
      for (auto [x, y] : outline(h, w, 0, 0, h, w)) transposed.insert({y, x});
      ASSERT_EQ(outline(w, h, 0, 0, w, h), transposed) << w << "x" << h;
      for (int y = 1; y <= h; ++y) {
        for (int x = 1; x <= w; ++x) {
          ASSERT_EQ(at(x, y), at(w + 1 - x, y)) << w << "x" << h;
          ASSERT_EQ(at(x, y), at(x, h + 1 - y)) << w << "x" << h;
          const bool near_outside = at(x - 1, y) == '.' || at(x + 1, y) == '.' ||
                                    at(x, y - 1) == '.' || at(x, y + 1) == '.';
          const bool touches_outside = near_outside || at(x - 1, y - 1) == '.' ||
                                       at(x + 1, y - 1) == '.' || at(x - 1, y + 1) == '.' ||
                                       at(x + 1, y + 1) == '.';
          const bool ok = at(x, y) == 'o' ? !near_outside : at(x, y) != '#' || touches_outside;
          ASSERT_TRUE(ok) << w << "x" << h << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(CanvasEllipse, XorOutlineGetsBrushAndPenAndTwiceRestores) {
  Canvas c(10, 10);
  c.Pen.Mode = pmXor;
  c.Pen.Color = kPen;
  c.Brush.Color = kBrush;
  c.Ellipse(0, 0, 10, 10);
  EXPECT_EQ(c.Pixels(3, 0), kPen ^ kBrush);
  EXPECT_EQ(c.Pixels(5, 5), kBrush);
  std::mt19937 rng(9);
  std::uniform_int_distribution<int> coord(-20, 60);
  Canvas r(random_bitmap(40, 30, rng, 256));
  const Bitmap before = r.bitmap();
  r.Pen.Mode = pmXor;
  for (int i = 0; i < 300; ++i) {
    r.Pen.Width = 1 + int(rng() % 12);
    r.Brush.Style = rng() % 2 ? bsSolid : bsClear;
    const int l = coord(rng), t = coord(rng), rr = coord(rng), b = coord(rng);
    r.Ellipse(l, t, rr, b);
    r.Ellipse(l, t, rr, b);
    ASSERT_EQ(r.bitmap(), before);
  }
}

TEST(CanvasEllipse, ClearBrushDrawsTheOutlineOnly) {
  Canvas c = drawn(10, 10, 0, 0, 0, 0);
  c.Brush.Style = bsClear;
  c.Ellipse(0, 0, 10, 10);
  const std::vector<std::string> p = picture(c);
  EXPECT_EQ(p[0], "...####...");
  EXPECT_EQ(p[5], "#........#");
}

// Wide pens: the pen's disc at every pixel of the thin outline; clipped
// ellipses: the visible part of the same ellipse.
TEST(CanvasEllipse, WideAndClippedOutlinesMatchThePerPixelReference) {
  std::mt19937 rng(4);
  std::uniform_int_distribution<int> coord(-15, 45);
  for (int i = 0; i < 400; ++i) {
    const int l = coord(rng), t = coord(rng), r = coord(rng), b = coord(rng);
    const int w = i < 50 ? 1 : 2 + int(rng() % 16);
    const PixelSet thin = outline(100, 100, l + 30, t + 30, r + 30, b + 30);
    PixelSet want;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x)
        for (auto [px, py] : thin)
          if (w == 1 ? (px - 30 == x && py - 30 == y) : in_disc(w, x - (px - 30), y - (py - 30))) {
            want.insert({x, y});
            break;
          }
    ASSERT_EQ(lit(40, 30, w, [&](Canvas& c) { c.Ellipse(l, t, r, b); }), want)
        << "w " << w << " box " << l << "," << t << "," << r << "," << b;
  }
}

TEST(CanvasEllipse, HugeBoxesCostOnlyTheVisibleRows) {
  // Centred near (-1, -1) with radii near 2^31: the picture is inside.
  Canvas c = drawn(64, 48, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 100000);
  EXPECT_EQ(picture(c), std::vector<std::string>(48, std::string(64, 'o')));
  // The left end of the same ellipse passes through column 10 (flat to
  // within 1e-5 over these rows); with a width-5 pen, columns 8 to 12.
  const Canvas edge = drawn(64, 48, 10, INT_MIN, INT_MAX, INT_MAX, 5);
  const std::string row = std::string(8, '.') + std::string(5, '#') + std::string(51, 'o');
  EXPECT_EQ(picture(edge), std::vector<std::string>(48, row));
}

}  // namespace
}  // namespace korvel::testing
