// The places the canvas reports as changed cover every pixel it changed,
// whichever way it drew them. (That a rosette's move gives small places is
// seen through the window, in the guides' view tests.)
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "canvas_test_support.h"
#include "platform/canvas.h"

namespace korvel {
namespace {

using testing::differing;
using testing::random_bitmap;

bool inside(const Rect& r, std::int64_t x, std::int64_t y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Every changed pixel lies in one of the places, and every place within the
// bounds.
void expect_covers(const ChangedArea& area, const Bitmap& before, const Bitmap& after, const std::string& what) {
  for (const Rect& r : area.rects()) {
    EXPECT_FALSE(r.empty()) << what;
    EXPECT_TRUE(r.left >= area.bounds().left && r.top >= area.bounds().top && r.right <= area.bounds().right &&
                r.bottom <= area.bounds().bottom)
        << what;
  }
  for (const auto& [x, y] : differing(before, after)) {
    bool found = false;
    for (const Rect& r : area.rects()) found = found || inside(r, x, y);
    ASSERT_TRUE(found) << what << ": " << x << ", " << y << " changed outside every place";
  }
}

TEST(ChangedArea, CoversEveryPixelEachWayOfDrawingChanges) {
  std::mt19937 rng(7);
  const TColor shades[4] = {RGB(0, 0, 255), RGB(0, 0, 200), RGB(0, 0, 150), RGB(9, 0, 100)};
  const auto point = [&] { return TPoint{int(rng() % 260) - 30, int(rng() % 220) - 30}; };
  // Lines of every width and mode, bands, and the other primitives, drawn at
  // their call, deferred on one thread and deferred on two.
  const std::pair<const char*, std::function<void(Canvas&)>> drawings[] = {
      {"lines", [&](Canvas& c) {
         for (int i = 0; i < 6; ++i) {
           c.Pen.Width = int(rng() % 9);
           c.Pen.Mode = i % 2 ? pmXor : pmCopy;
           const TPoint a = point(), b = point();
           c.MoveTo(a.x, a.y), c.LineTo(b.x, b.y);
         }
       }},
      {"bands", [&](Canvas& c) {
         c.Pen.Width = int(rng() % 5);
         c.draw_band(point(), point(), shades);
       }},
      {"dots", [&](Canvas& c) {
         for (int i = 0; i < 90; ++i) draw_dot(c, point());  // past the most places kept
       }},
      {"others", [&](Canvas& c) {
         const TPoint a = point(), b = point();
         c.MoveTo(b.x, b.y), c.LineTo(a.x, a.y);  // deferred: drawn as the next primitive starts
         c.FillRect(b.x, a.y, b.x + 9, a.y + 5);
         c.Ellipse(a.x, a.y, b.x, b.y);
         c.FloodFill(a.x, b.y, c.Pixels(a.x, b.y), fsSurface);
       }},
  };
  for (const auto& [what, draw] : drawings)
    for (const int threads : {0, 1, 2})
      for (int round = 0; round < 20; ++round) {
        Canvas c(random_bitmap(200, 160, rng, 3));
        c.set_line_threads(threads ? LineThreads::of(threads) : LineThreads::none());
        const Bitmap before = c.bitmap();
        {
          Canvas::DeferredLines deferred(c);
          draw(c);
        }
        const Rect bounds = c.changed();
        const ChangedArea area = c.take_changed_area();
        EXPECT_EQ(area.bounds(), bounds);
        expect_covers(area, before, c.bitmap(), std::string(what) + " on " + std::to_string(threads));
        EXPECT_TRUE(c.take_changed_area().empty());
      }
}

}  // namespace
}  // namespace korvel
