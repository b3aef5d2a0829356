// Wide pens: body and round end discs, painted once per call.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "platform/canvas_test_support.h"

namespace korvel::testing {
namespace {

PixelSet where(int width, int height, auto pred) {
  PixelSet out;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (pred(x, y)) out.insert({x, y});
  return out;
}

// Widths 2 to 5 as listed (in_disc), larger ones by the circle rule.
TEST(CanvasWideLine, ZeroLengthLeavesOneDisc) {
  EXPECT_EQ(line_pixels(12, 12, 2, {5, 5}, {5, 5}), (PixelSet{{4, 4}, {5, 4}, {4, 5}, {5, 5}}));
  EXPECT_EQ(line_pixels(12, 12, 3, {5, 5}, {5, 5}),
            (PixelSet{{5, 4}, {4, 5}, {5, 5}, {6, 5}, {5, 6}}));
  EXPECT_TRUE(line_pixels(12, 12, 1, {5, 5}, {5, 5}).empty());
  for (int w = 2; w <= 40; ++w)
    ASSERT_EQ(line_pixels(60, 60, w, {30, 30}, {30, 30}),
              where(60, 60, [&](int x, int y) { return in_disc(w, x - 30, y - 30); }))
        << "width " << w;
}

TEST(CanvasWideLine, HorizontalLinesCoverTheWidthsRowsBetweenTheDiscs) {
  const PixelSet two =
      where(16, 12, [](int x, int y) { return x >= 2 && x <= 10 && (y == 4 || y == 5); });
  const PixelSet three = where(16, 12, [](int x, int y) {
    return (y == 5 && x >= 2 && x <= 11) || ((y == 4 || y == 6) && x >= 3 && x <= 10);
  });
  EXPECT_EQ(two.size(), 18u);
  EXPECT_EQ(three.size(), 26u);
  EXPECT_EQ(line_pixels(16, 12, 2, {3, 5}, {10, 5}), two);
  EXPECT_EQ(line_pixels(16, 12, 3, {3, 5}, {10, 5}), three);
}

// Width 3 along x = y: the body is |x - y| <= 2 between the square ends
// x + y = 4 (a top-left edge: kept) and x + y = 12 (bottom-right: left out);
// the plus-sign discs do not reach the ends' corners.
TEST(CanvasWideLine, SquareEndsFollowTheTopLeftRule) {
  const PixelSet want = where(10, 10, [](int x, int y) {
    return (std::abs(x - y) <= 2 && x + y >= 4 && x + y < 12) ||
           std::abs(x - 2) + std::abs(y - 2) <= 1 || std::abs(x - 6) + std::abs(y - 6) <= 1;
  });
  EXPECT_EQ(line_pixels(10, 10, 3, {2, 2}, {6, 6}), want);
  EXPECT_EQ(line_pixels(10, 10, 3, {6, 6}, {2, 2}), want);
}

// Random lines, ends inside and outside, against the per-pixel rule, both ways.
TEST(CanvasWideLine, RandomLinesMatchThePerPixelUnionOfBodyAndDiscs) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> coord(-25, 65);
  for (int i = 0; i < 1500; ++i) {
    const TPoint a{coord(rng), coord(rng)};
    const TPoint b = i % 10 ? TPoint{coord(rng), coord(rng)}  // and some 3-4-5 directions
                            : TPoint{a.x + 3 * int(rng() % 7), a.y + 4 * int(rng() % 7)};
    const int w = 2 + int(rng() % 30);
    const PixelSet got = line_pixels(41, 31, w, a, b);
    ASSERT_EQ(got, reference_wide(a, b, w, 41, 31))
        << "w " << w << ": " << a.x << "," << a.y << " -> " << b.x << "," << b.y;
    ASSERT_EQ(line_pixels(41, 31, w, b, a), got);
  }
}

// Long and steep lines, whose body is walked row after row over many rows,
// against the per-pixel rule.
TEST(CanvasWideLine, LongLinesMatchThePerPixelRule) {
  std::mt19937 rng(8);
  std::uniform_int_distribution<int> x(-400, 460), y(-300, 540);
  for (int i = 0; i < 500; ++i) {
    const TPoint a{x(rng), y(rng)}, b{x(rng), y(rng)};
    const int w = 2 + int(rng() % (i % 4 ? 12 : 90));
    ASSERT_EQ(line_pixels(60, 240, w, a, b), reference_wide(a, b, w, 60, 240))
        << "w " << w << ": " << a.x << "," << a.y << " -> " << b.x << "," << b.y;
  }
}

TEST(CanvasWideLine, XorTwiceRestoresThePicture) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> coord(-30, 90);
  Canvas c(random_bitmap(64, 48, rng, 256));
  const Bitmap before = c.bitmap();
  c.Pen.Mode = pmXor;
  int drawn = 0;
  for (int i = 0; i < 300; ++i) {
    c.Pen.Width = 1 + int(rng() % 50);
    c.Pen.Color = TColor(rng() & 0xFFFFFF);
    const TPoint a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
    c.MoveTo(a.x, a.y);
    c.LineTo(b.x, b.y);
    drawn += c.bitmap() != before;
    c.MoveTo(a.x, a.y);
    c.LineTo(b.x, b.y);
    ASSERT_EQ(c.bitmap(), before) << "width " << c.Pen.Width;
  }
  EXPECT_GT(drawn, 200);
}

TEST(CanvasWideLine, HugeWidthsAndCoordinatesAreClipped) {
  const PixelSet all = where(64, 48, [](int, int) { return true; });
  // Every pixel lies within 50000 of the first four; none near the last two.
  EXPECT_EQ(line_pixels(64, 48, 100000, {30, 20}, {30, 20}), all);
  EXPECT_EQ(line_pixels(64, 48, 100000, {-1000000000, -1000000000}, {1000000000, 1000000000}), all);
  EXPECT_EQ(line_pixels(64, 48, 100000, {INT_MIN, 20}, {INT_MAX, 20}), all);
  EXPECT_EQ(line_pixels(64, 48, INT_MAX, {0, 0}, {INT_MAX, INT_MIN}), all);
  EXPECT_TRUE(line_pixels(64, 48, 100000, {-1000000, INT_MIN}, {-1000000, INT_MAX}).empty());
  EXPECT_TRUE(line_pixels(64, 48, INT_MAX, {INT_MIN, INT_MIN}, {INT_MIN, INT_MIN}).empty());
  // Nearly horizontal: the rows within 6.5 of y = 20 + 5e-10 x.
  EXPECT_EQ(line_pixels(64, 48, 13, {-2000000000, 19}, {2000000000, 21}),
            where(64, 48, [](int, int y) { return y >= 14 && y <= 26; }));
}

}  // namespace
}  // namespace korvel::testing
