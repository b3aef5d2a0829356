// Thin pens: Bresenham with the end pixel left out, clipped exactly.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "platform/canvas_test_support.h"

namespace korvel::testing {
namespace {

TEST(CanvasThinLine, LightsTheNearestPixelsWithoutTheEnd) {
  struct Case {
    TPoint from, to;
    PixelSet want;
  };
  const Case cases[] = {
      {{0, 0}, {5, 0}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}},
      {{5, 0}, {0, 0}, {{5, 0}, {4, 0}, {3, 0}, {2, 0}, {1, 0}}},
      {{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
      {{4, 2}, {0, 0}, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}},
      {{0, 0}, {2, 4}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
      {{3, 3}, {3, 3}, {}},
  };
  for (const Case& k : cases) EXPECT_EQ(line_pixels(8, 8, 1, k.from, k.to), k.want);
}

TEST(CanvasThinLine, EndBecomesThePositionEvenWhenNothingIsDrawn) {
  Canvas c(8, 8);
  c.MoveTo(3, 3);
  c.LineTo(3, 3);
  EXPECT_EQ(c.PenPos(), (TPoint{3, 3}));
  c.Pen.Style = psClear;  // draws nothing
  c.LineTo(-50, 7);
  EXPECT_EQ(c.PenPos(), (TPoint{-50, 7}));
  EXPECT_EQ(c.bitmap(), Canvas(8, 8).bitmap());
  EXPECT_TRUE(c.changed().empty());
}

// Random lines, ends well outside a small picture, both thin widths, against
// the per-pixel rule; drawn backwards, the same set but for the left-out end.
TEST(CanvasThinLine, ClippedLinesLightExactlyTheVisiblePixelsOfTheWholeLine) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> coord(-40, 60);
  for (int i = 0; i < 2000; ++i) {
    const TPoint a = i ? TPoint{coord(rng), coord(rng)} : TPoint{-5, -2};
    const TPoint b = i ? TPoint{coord(rng), coord(rng)} : TPoint{15, 6};
    PixelSet fwd = line_pixels(23, 17, int(rng() % 2), a, b), back = line_pixels(23, 17, 1, b, a);
    ASSERT_EQ(fwd, reference_thin(a, b, 23, 17))
        << a.x << "," << a.y << " -> " << b.x << "," << b.y;
    for (TPoint p : {a, b})
      if (p.x >= 0 && p.y >= 0 && p.x < 23 && p.y < 17)
        fwd.insert({p.x, p.y}), back.insert({p.x, p.y});
    ASSERT_EQ(fwd, back);
  }
}

TEST(CanvasThinLine, FarEndsAreClippedBeforeStepping) {
  const std::pair<TPoint, TPoint> cases[] = {
      {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}},
      {{INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}},
      {{INT_MIN, 3}, {INT_MAX, 1000}},
      {{700, INT_MAX}, {701, INT_MIN}},
      {{INT_MIN, INT_MIN}, {INT_MIN + 1, INT_MAX}},
  };
  for (auto [a, b] : cases)
    EXPECT_EQ(line_pixels(1920, 1080, 1, a, b), reference_thin(a, b, 1920, 1080));
  // Over the picture's columns this one stays within 1e-6 of row 6.
  PixelSet row6;
  for (int x = 0; x < 1920; ++x) row6.insert({x, 6});
  EXPECT_EQ(line_pixels(1920, 1080, 1, {-2000000000, 5}, {2000000000, 7}), row6);
}

}  // namespace
}  // namespace korvel::testing
