// Wide pens: body and round end discs, painted once per call.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "platform/canvas_test_support.h"

namespace korvel::testing {
namespace {

PixelSet shifted(const PixelSet& offsets, i64 x, i64 y) {
  PixelSet out;
  for (auto [i, j] : offsets) out.insert({i + x, j + y});
  return out;
}

TEST(CanvasWideLine, ZeroLengthLeavesThePenDisc) {
  const PixelSet discs[] = {
      {},  // widths 0 and 1 draw nothing for a zero-length line
      {{-1, -1}, {0, -1}, {-1, 0}, {0, 0}},
      {{0, -1}, {-1, 0}, {0, 0}, {1, 0}, {0, 1}},
  };
  for (int w = 0; w <= 3; ++w)
    EXPECT_EQ(line_pixels(12, 12, w, {5, 5}, {5, 5}), shifted(discs[w < 2 ? 0 : w - 1], 5, 5));
  // Width 4: the 4x4 box [-2, 1]^2 without corners; 5: [-2, 2]^2 without corners.
  EXPECT_EQ(line_pixels(12, 12, 4, {5, 5}, {5, 5}).size(), 12u);
  EXPECT_EQ(line_pixels(12, 12, 5, {5, 5}, {5, 5}).size(), 21u);
  for (int w = 4; w <= 40; ++w) {
    PixelSet want;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 60; ++x)
        if (in_disc(w, x - 30, y - 30)) want.insert({x, y});
    ASSERT_EQ(line_pixels(60, 60, w, {30, 30}, {30, 30}), want) << "width " << w;
  }
}

TEST(CanvasWideLine, HorizontalLinesCoverTheWidthsRowsBetweenTheDiscs) {
  PixelSet two, three;
  for (int x = 2; x <= 10; ++x) two.insert({x, 4}), two.insert({x, 5});
  for (int x = 2; x <= 11; ++x) three.insert({x, 5});
  for (int x = 3; x <= 10; ++x) three.insert({x, 4}), three.insert({x, 6});
  EXPECT_EQ(two.size(), 18u);
  EXPECT_EQ(three.size(), 26u);
  EXPECT_EQ(line_pixels(16, 12, 2, {3, 5}, {10, 5}), two);
  EXPECT_EQ(line_pixels(16, 12, 3, {3, 5}, {10, 5}), three);
  // Vertical: the same, transposed.
  PixelSet two_t;
  for (auto [x, y] : two) two_t.insert({y, x});
  EXPECT_EQ(line_pixels(12, 16, 2, {5, 3}, {5, 10}), two_t);
}

// Random lines over a small picture, ends inside and outside, against the
// per-pixel rule; also direction independence.
TEST(CanvasWideLine, RandomLinesMatchThePerPixelUnionOfBodyAndDiscs) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> coord(-25, 65);
  for (int i = 0; i < 1500; ++i) {
    const TPoint a{coord(rng), coord(rng)};
    const TPoint b = i % 10 == 0 ? TPoint{a.x + 3 * int(rng() % 7), a.y + 4 * int(rng() % 7)}
                                 : TPoint{coord(rng), coord(rng)};
    const int w = 2 + int(rng() % 30);
    const PixelSet got = line_pixels(41, 31, w, a, b);
    ASSERT_EQ(got, reference_wide(a, b, w, 41, 31))
        << "w " << w << ": " << a.x << "," << a.y << " -> " << b.x << "," << b.y;
    ASSERT_EQ(line_pixels(41, 31, w, b, a), got);
  }
}

TEST(CanvasWideLine, XorTwiceRestoresThePicture) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> coord(-30, 90);
  Canvas c(random_bitmap(64, 48, rng, 256));
  const Bitmap before = c.bitmap();
  c.Pen.Mode = pmXor;
  int visible = 0;
  for (int i = 0; i < 300; ++i) {
    c.Pen.Width = 1 + int(rng() % 50);
    c.Pen.Color = TColor(rng() & 0xFFFFFF);
    const TPoint a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
    c.MoveTo(a.x, a.y);
    c.LineTo(b.x, b.y);
    visible += c.bitmap() != before;
    c.MoveTo(a.x, a.y);
    c.LineTo(b.x, b.y);
    ASSERT_EQ(c.bitmap(), before) << "width " << c.Pen.Width;
  }
  EXPECT_GT(visible, 200);  // most of them did draw
}

TEST(CanvasWideLine, HugeWidthsAndCoordinatesAreClipped) {
  PixelSet all;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) all.insert({x, y});
  // Every pixel lies within 50000 of these; none within reach of the last two.
  EXPECT_EQ(line_pixels(64, 48, 100000, {30, 20}, {30, 20}), all);
  EXPECT_EQ(line_pixels(64, 48, 100000, {-1000000000, -1000000000}, {1000000000, 1000000000}), all);
  EXPECT_EQ(line_pixels(64, 48, 100000, {INT_MIN, 20}, {INT_MAX, 20}), all);
  EXPECT_EQ(line_pixels(64, 48, INT_MAX, {0, 0}, {INT_MAX, INT_MIN}), all);
  EXPECT_TRUE(line_pixels(64, 48, 100000, {-1000000, INT_MIN}, {-1000000, INT_MAX}).empty());
  EXPECT_TRUE(line_pixels(64, 48, INT_MAX, {INT_MIN, INT_MIN}, {INT_MIN, INT_MIN}).empty());
  // A long nearly horizontal band: rows within w/2 of the line y = 20 + x/2e9.
  PixelSet band;
  for (int y = 14; y <= 26; ++y)
    for (int x = 0; x < 64; ++x) band.insert({x, y});
  EXPECT_EQ(line_pixels(64, 48, 13, {-2000000000, 19}, {2000000000, 21}), band);
}

}  // namespace
}  // namespace korvel::testing
