// Bands of lines (draw_band) against their lines drawn one by one on the
// plain path: the same pixels, changed rectangle and pen, in every mode, on
// any number of threads, wherever the band lies.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "platform/canvas_test_support.h"

namespace korvel::testing {
namespace {

struct Band {
  TPoint from, to;
  int width;
  TPenMode mode;
  TPenStyle style;
  std::vector<TColor> colours;
};

// Mostly shadow-like bands: short lines of width 2, tens of lines, a shaded
// or a repeated ramp; now and then wider pens, long lines, hundreds of lines,
// clear pens, far-away ends.
Band random_band(std::mt19937& rng, int width, int height) {
  const int counts[] = {0, 1, 2, 12, 48, 48, 100, 256, 257};
  const int widths[] = {1, 2, 2, 2, 3, 5, 12};
  Band b;
  b.from = {int(rng() % unsigned(width + 120)) - 60, int(rng() % unsigned(height + 120)) - 60};
  const int reach = rng() % 8 == 0 ? 600 : 30;
  b.to = {b.from.x + int(rng() % unsigned(2 * reach + 1)) - reach, b.from.y + int(rng() % 61) - 30};
  if (rng() % 20 == 0) b.from.x = b.to.x = INT_MAX - int(rng() % 300);  // the last lines beyond reach
  b.width = widths[rng() % 7];
  b.mode = TPenMode(rng() % 16);
  b.style = rng() % 10 == 0 ? psClear : psSolid;
  const TColor base = rng() & 0xFFFFFF;
  for (int i = 0, n = counts[rng() % 9]; i < n; ++i) b.colours.push_back(rng() % 2 ? base : TColor(rng() & 0xFFFFFF));
  return b;
}

TEST(CanvasBand, DrawsAsItsLinesOneByOneOnAnyNumberOfThreads) {
  std::mt19937 rng(18);
  const int w = 320, h = 240;
  for (int batch = 0; batch < 60; ++batch) {
    const Bitmap picture = random_bitmap(w, h, rng, 4);
    std::vector<Band> bands;
    for (int i = 0; i < 40; ++i) bands.push_back(random_band(rng, w, h));
    // Runs of bands alike, as the clones of a copy, in one mode or two.
    for (int i = 0; i < 6; ++i) bands.insert(bands.begin() + 20, bands[20]);
    bands[22].mode = TPenMode((bands[22].mode + 1) % 16);

    Canvas plain(picture);
    plain.set_line_threads(LineThreads::none());
    for (const Band& b : bands) {
      plain.Pen = {clBlack, b.width, b.style, b.mode};
      for (int i = 0; i < int(b.colours.size()); ++i) {
        plain.Pen.Color = b.colours[std::size_t(i)];
        const auto from = offset_point(b.from, i, i), to = offset_point(b.to, i, i);
        if (!from || !to) continue;  // beyond the 32-bit range
        plain.MoveTo(from->x, from->y);
        plain.LineTo(to->x, to->y);
      }
    }
    for (const LineThreads threads : {LineThreads::none(), LineThreads::of(1), LineThreads::of(2), LineThreads::of(8)}) {
      Canvas c(picture);
      c.set_line_threads(threads);
      {
        Canvas::DeferredLines deferred(c);
        for (const Band& b : bands) {
          c.Pen = {clBlack, b.width, b.style, b.mode};
          c.draw_band(b.from, b.to, b.colours);
        }
      }
      ASSERT_EQ(c.PenPos(), plain.PenPos());
      ASSERT_EQ(c.Pen.Color, plain.Pen.Color);
      ASSERT_EQ(c.changed(), plain.changed()) << "batch " << batch << ", threads " << threads.count();
      ASSERT_EQ(differing(c.bitmap(), plain.bitmap()), PixelSet{}) << "batch " << batch << ", threads " << threads.count();
    }
  }
}

}  // namespace
}  // namespace korvel::testing
