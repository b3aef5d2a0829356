// Pens far wider than the picture: the work of a call is bounded by the
// picture, and the pixels are those a large enough picture would show.
#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <random>

#include "platform/canvas_test_support.h"

namespace korvel::testing {
namespace {

// Processor time of this thread, so that a loaded machine does not count.
double thread_seconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// Boxes and pens that took seconds each when the search for a wide
// outline's row ends ranged over the pen's width.
TEST(CanvasHugePen, EllipsesAndLinesCostThePictureNotThePen) {
  struct Call {
    int width, l, t, r, b;
  };
  const Call calls[] = {
      {1 << 28, 665, 857, 1416671601, -1361185234},
      {1 << 28, 2531, 602086485, 1033215567, 59716465},
      {1 << 28, 729871846, 39460, 707, 1710514142},
      {1 << 28, -388112460, -440, 476274519, 828768629},
      {INT_MAX, 22317, 1916183467, -933084151, -56093},
      {INT_MAX, 200, 100, 1700, 900},
      {1 << 30, -1548178579, -914274236, 474439597, 914275010},
  };
  Canvas c(1920, 1080);
  c.Pen.Mode = pmXor;
  c.Pen.Color = clWhite;
  for (const Call& k : calls) {
    c.Pen.Width = k.width;
    const double start = thread_seconds();
    c.Ellipse(k.l, k.t, k.r, k.b);
    c.MoveTo(k.l, k.t);
    c.LineTo(k.r, k.b);
    // Milliseconds now; seconds to minutes before, whatever the build.
    EXPECT_LT(thread_seconds() - start, 3.0) << k.width << " " << k.l << "," << k.t;
  }
}

// A 40 x 30 picture against the same calls on a 240 x 180 one shifted by
// (100, 75): the small picture's clipping must not change its pixels.
TEST(CanvasHugePen, ClippedOutlinesMatchALargerPicture) {
  std::mt19937 rng(31);
  std::uniform_real_distribution<double> unit(0, 1);
  Canvas small(40, 30), large(240, 180);
  for (int i = 0; i < 400; ++i) {
    const int w = 2 + int(std::exp2(7 * unit(rng)));
    const double rx = std::exp2(1 + 9 * unit(rng)), ry = std::exp2(1 + 9 * unit(rng));
    const double cx = -150 + 340 * unit(rng), cy = -150 + 330 * unit(rng);
    const int l = int(cx - rx), t = int(cy - ry), r = int(cx + rx), b = int(cy + ry);
    for (Canvas* c : {&small, &large}) {
      c->Pen = {clWhite, w, psSolid, pmXor};
      c->Brush.Style = rng() % 2 ? bsSolid : bsClear;
    }
    large.Brush.Style = small.Brush.Style;
    small.Ellipse(l, t, r, b);
    large.Ellipse(l + 100, t + 75, r + 100, b + 75);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x)
        ASSERT_EQ(small.Pixels(x, y), large.Pixels(x + 100, y + 75))
            << "w " << w << " box " << l << "," << t << "," << r << "," << b << " at " << x << "," << y;
  }
}

// Past the picture's edges on both sides, a pen wider than everything
// covers every row the box and the disc reach.
TEST(CanvasHugePen, HugePenCoversThePicture) {
  for (int w : {1 << 28, INT_MAX}) {
    Canvas c(64, 48);
    c.Pen = {clWhite, w, psSolid, pmCopy};
    c.Brush.Style = bsClear;
    c.Ellipse(10, 10, 30, 20);
    EXPECT_EQ(differing(c.bitmap(), Canvas(64, 48).bitmap()).size(), 64u * 48u) << w;
  }
}

}  // namespace
}  // namespace korvel::testing
