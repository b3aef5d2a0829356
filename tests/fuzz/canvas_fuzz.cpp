// Canvas call sequences: any coordinates, pen widths, raster modes, brushes,
// fills and bitmaps drawn, on a small picture. Checks after every call that
// the buffer keeps its top byte clear and the changed rectangle lies inside
// the picture.
#include <algorithm>
#include <cstdlib>

#include "fuzz_input.h"
#include "platform/canvas.h"

namespace {

using korvel::Canvas;

// Pen widths stay small here: each input must run in milliseconds.
int pen_width(korvel::fuzz::FuzzInput& in) {
  const std::uint8_t w = in.byte();
  return w < 240 ? w % 24 : int(w) - 240 + 24;  // 0..39
}

void check(const Canvas& c) {
  const korvel::Bitmap& b = c.bitmap();
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x)
      if (b.row(y)[x] >> 24) std::abort();
  const korvel::Rect& r = c.changed();
  if (r.left < r.right && r.top < r.bottom &&
      (r.left < 0 || r.top < 0 || r.right > b.width() || r.bottom > b.height()))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvel::fuzz::FuzzInput in(data, size);
  const int w = 1 + in.byte() % 96, h = 1 + in.byte() % 96;
  Canvas c(w, h);
  for (int step = 0; step < 64 && !in.empty(); ++step) {
    switch (in.byte() % 9) {
      case 0:
        c.Pen.Mode = korvel::TPenMode(in.byte() % 16);
        c.Pen.Color = in.u32() & 0xFFFFFF;
        c.Pen.Width = pen_width(in);
        break;
      case 1:
        c.Brush.Color = in.u32() & 0xFFFFFF;
        c.Brush.Style = korvel::TBrushStyle(in.byte() % 8);
        break;
      case 2: c.MoveTo(in.coordinate(w), in.coordinate(h)); break;
      case 3: c.LineTo(in.coordinate(w), in.coordinate(h)); break;
      case 4: {
        const int l = in.coordinate(w), t = in.coordinate(h), r = in.coordinate(w), b = in.coordinate(h);
        c.Ellipse(l, t, r, b);
        break;
      }
      case 5: {
        const int l = in.coordinate(w), t = in.coordinate(h), r = in.coordinate(w), b = in.coordinate(h);
        c.FillRect(l, t, r, b);
        break;
      }
      case 6: {
        const int x = in.coordinate(w), y = in.coordinate(h);
        const korvel::TColor colour = in.byte() % 2 ? c.Pixels(x, y) : in.u32() & 0xFFFFFF;
        c.FloodFill(x, y, colour, in.byte() % 2 ? korvel::fsBorder : korvel::fsSurface);
        break;
      }
      case 7: {
        korvel::Bitmap b(in.byte() % 40, in.byte() % 40, in.u32() & 0xFFFFFF);
        c.Draw(in.coordinate(w), in.coordinate(h), b);
        break;
      }
      default: {
        const korvel::TColor p = c.Pixels(in.coordinate(w), in.coordinate(h));
        if (p != korvel::clInvalid && (p >> 24)) std::abort();
        c.take_changed();
      }
    }
    check(c);
  }
  return 0;
}
