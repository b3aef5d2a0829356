// Ellipse: midpoint outline with the pen over a brush fill that includes it.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "platform/canvas_test_support.h"

namespace korvel::testing {
namespace {

constexpr TColor kPen = RGB(200, 0, 0), kBrush = RGB(0, 0, 200);
using Picture = std::vector<std::string>;

// Rows of the picture: '#' pen, 'o' brush, '.' untouched.
Picture drawn(int w, int h, int l, int t, int r, int b, int pen_width = 1, TPenStyle pen = psSolid,
              TBrushStyle brush = bsSolid) {
  Canvas c(w, h);
  c.Pen = {kPen, pen_width, pen, pmCopy};
  c.Brush = {kBrush, brush};
  c.Ellipse(l, t, r, b);
  Picture rows(h, std::string(w, '.'));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      rows[y][x] = c.Pixels(x, y) == kPen ? '#' : c.Pixels(x, y) == kBrush ? 'o' : '.';
  return rows;
}

PixelSet outline(int w, int h, int pen_width, int l, int t, int r, int b) {
  return lit(w, h, pen_width, [&](Canvas& c) { c.Ellipse(l, t, r, b); });
}

TEST(CanvasEllipse, SmallBoxesAsPictured) {
  EXPECT_EQ(drawn(4, 4, 0, 0, 4, 4), (Picture{".##.", "#oo#", "#oo#", ".##."}));
  EXPECT_EQ(drawn(10, 10, 10, 10, 0, 0),  // the box is normalised
            (Picture{"...####...", "..#oooo#..", ".#oooooo#.", "#oooooooo#", "#oooooooo#",
                     "#oooooooo#", "#oooooooo#", ".#oooooo#.", "..#oooo#..", "...####..."}));
  EXPECT_EQ(drawn(10, 2, 0, 0, 10, 10, 1, psSolid, bsClear)[0], "...####...");
  EXPECT_EQ(drawn(10, 6, 0, 0, 10, 10, 1, psClear)[5], "oooooooooo");
  // Width or height up to 2: a rectangle, all of it outline; 0: nothing.
  EXPECT_EQ(drawn(5, 4, 1, 0, 3, 4), Picture(4, ".##.."));
  EXPECT_EQ(drawn(5, 3, 0, 1, 5, 2), (Picture{".....", "#####", "....."}));
  EXPECT_EQ(drawn(5, 4, 2, 0, 2, 4), Picture(4, "....."));
}

// The filled ellipse, per pixel. In half-pixel units about the box's centre
// (X = |2(x - l) - A|, Y = |2(y - t) - B|, A and B the box's size less one)
// the midpoint rule keeps a pixel when its midpoint towards the centre,
// vertically (X, Y - 1) or horizontally (X - 1, Y), is inside the curve
// through the extreme pixels; the middle row(s) and column(s) are whole.
bool in_fill(i64 l, i64 t, i64 r, i64 b, i64 x, i64 y) {
  if (x < std::min(l, r) || x >= std::max(l, r) || y < std::min(t, b) || y >= std::max(t, b))
    return false;
  const unsigned __int128 a = std::llabs(r - l) - 1, bb = std::llabs(b - t) - 1;
  const i64 X = std::llabs(2 * (x - std::min(l, r)) - i64(a)),
            Y = std::llabs(2 * (y - std::min(t, b)) - i64(bb));
  if (a <= 1 || bb <= 1 || X <= 1 || Y <= 1) return true;
  auto inside = [&](unsigned __int128 px, unsigned __int128 py) {
    const unsigned __int128 p = bb * px * (bb * px), q = a * py * (a * py), lim = a * bb * (a * bb);
    return p < lim && q < lim - p;
  };
  return inside(X, Y - 1) || inside(X - 1, Y);
}

// Odd cases: boxes in any order within [-70, 70]; even ones: radii up to
// 2^29, placed so that the curve crosses the point (20, 15).
std::array<int, 4> random_box(std::mt19937& rng, int i) {
  std::uniform_int_distribution<int> coord(-70, 70);
  std::uniform_real_distribution<double> unit(0, 1);
  if (i % 2) return {coord(rng), coord(rng), coord(rng), coord(rng)};
  const double rx = std::exp2(6 + 23 * unit(rng)), ry = rx * (0.5 + 1.5 * unit(rng));
  const double phi = 6.283185307179586 * unit(rng);
  const double cx = 20 - rx * std::cos(phi), cy = 15 - ry * std::sin(phi);
  return {int(std::lround(cx - rx)), int(std::lround(cy - ry)), int(std::lround(cx + rx)),
          int(std::lround(cy + ry))};
}

// Thin: the fill's boundary (fill pixels with a 4-neighbour outside). Wide:
// the pen's disc at every pixel of the thin outline.
TEST(CanvasEllipse, OutlinesMatchThePerPixelReference) {
  std::mt19937 rng(12);
  for (int i = 0; i < 600; ++i) {
    const auto [l, t, r, b] = random_box(rng, i);
    const int w = i % 3 == 0 ? 1 : 2 + int(rng() % 16);
    auto on_outline = [&](i64 x, i64 y) {
      auto in = [&](i64 u, i64 v) { return in_fill(l, t, r, b, u, v); };
      return in(x, y) && !(in(x - 1, y) && in(x + 1, y) && in(x, y - 1) && in(x, y + 1));
    };
    PixelSet thin, want;  // thin: with a margin for the discs
    for (i64 y = -10; y < 40; ++y)
      for (i64 x = -10; x < 50; ++x)
        if (on_outline(x, y)) thin.insert({x, y});
    for (i64 y = 0; y < 30; ++y)
      for (i64 x = 0; x < 40; ++x)
        for (auto [px, py] : thin)
          if (w == 1 ? px == x && py == y : in_disc(w, x - px, y - py)) {
            want.insert({x, y});
            break;
          }
    ASSERT_EQ(outline(40, 30, w, l, t, r, b), want)
        << "w " << w << " box " << l << "," << t << "," << r << "," << b;
  }
}

TEST(CanvasEllipse, XorOutlineGetsBrushAndPenAndTwiceRestores) {
  std::mt19937 rng(9);
  std::uniform_int_distribution<int> coord(-20, 60);
  Canvas c(random_bitmap(40, 30, rng, 256));
  const Bitmap before = c.bitmap();
  c.Pen = {kPen, 1, psSolid, pmXor};
  c.Brush.Color = kBrush;
  c.Ellipse(0, 0, 10, 10);
  EXPECT_EQ(c.Pixels(3, 0), before.colour_at(3, 0) ^ kPen ^ kBrush);
  EXPECT_EQ(c.Pixels(5, 5), before.colour_at(5, 5) ^ kBrush);
  c.Ellipse(0, 0, 10, 10);
  for (int i = 0; i < 300; ++i) {
    c.Pen.Width = 1 + int(rng() % 12);
    c.Brush.Style = rng() % 2 ? bsSolid : bsClear;
    const int l = coord(rng), t = coord(rng), r = coord(rng), b = coord(rng);
    c.Ellipse(l, t, r, b);
    c.Ellipse(l, t, r, b);
    ASSERT_EQ(c.bitmap(), before);
  }
}

TEST(CanvasEllipse, HugeBoxesCostOnlyTheVisibleRows) {
  // Centred near (-1, -1) with radii near 2^31: the picture is inside.
  EXPECT_EQ(drawn(64, 48, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 100000),
            Picture(48, std::string(64, 'o')));
  // The left end of the same ellipse passes through column 10 (flat to
  // within 1e-5 over these rows); with a width-5 pen, columns 8 to 12.
  EXPECT_EQ(drawn(64, 48, 10, INT_MIN, INT_MAX, INT_MAX, 5),
            Picture(48, std::string(8, '.') + std::string(5, '#') + std::string(51, 'o')));
  EXPECT_EQ(drawn(64, 48, 10, INT_MIN, INT_MAX, INT_MAX, INT_MAX),
            Picture(48, std::string(64, '#')));
}

}  // namespace
}  // namespace korvel::testing
