#pragma once
// Helpers for the canvas tests: pixel sets, random pictures, and plain
// per-pixel references of the raster rules to check the fast paths against.
#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>

#include "platform/canvas.h"

namespace korvel::testing {

using i64 = std::int64_t;
__extension__ typedef __int128 i128;
using PixelSet = std::set<std::pair<i64, i64>>;  // (x, y)

inline PixelSet differing(const Bitmap& a, const Bitmap& b) {
  PixelSet out;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.colour_at(x, y) != b.colour_at(x, y)) out.insert({x, y});
  return out;
}

// The pixels one call lights: drawn in pmXor with white on black, no brush.
template <class Draw>
PixelSet lit(int width, int height, int pen_width, Draw draw) {
  Canvas c(width, height);
  c.Pen = {clWhite, pen_width, psSolid, pmXor};
  c.Brush.Style = bsClear;
  draw(c);
  return differing(c.bitmap(), Canvas(width, height).bitmap());
}

inline PixelSet line_pixels(int width, int height, int pen_width, TPoint a, TPoint b) {
  return lit(width, height, pen_width, [&](Canvas& c) { c.MoveTo(a.x, a.y), c.LineTo(b.x, b.y); });
}

inline Bitmap random_bitmap(int width, int height, std::mt19937& rng, int colours) {
  Bitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.set_colour(x, y, TColor(rng() % colours) * 0x404040u);
  return b;
}

// Thin line: for each major coordinate but the end's, the nearest minor one,
// halves to the smaller; only inside [0, width) x [0, height).
inline PixelSet reference_thin(TPoint a, TPoint b, int width, int height) {
  PixelSet out;
  const i64 dx = i64(b.x) - a.x, dy = i64(b.y) - a.y;
  const bool x_major = std::llabs(dx) > std::llabs(dy);
  const i64 au = x_major ? a.x : a.y, av = x_major ? a.y : a.x;
  const i64 du = x_major ? dx : dy, dv = x_major ? dy : dx;
  for (i64 u = 0; u < (x_major ? width : height); ++u) {
    const i64 t = (u - au) * (du < 0 ? -1 : 1), n = std::llabs(du);  // steps from a
    if (t < 0 || t >= n) continue;
    const i128 num = i128(t) * dv;  // the exact minor is av + num / n
    i128 fl = num / n;
    if (num % n != 0 && num < 0) --fl;
    const i64 v = i64(av + fl + ((num - fl * n) * 2 > n ? 1 : 0));
    const i64 x = x_major ? u : v, y = x_major ? v : u;
    if (x >= 0 && y >= 0 && x < width && y < height) out.insert({x, y});
  }
  return out;
}

// Pen disc membership of offset (i, j) from the pen's pixel.
inline bool in_disc(i64 w, i64 i, i64 j) {
  const i64 ai = std::llabs(i), aj = std::llabs(j), e = w % 2 == 0 ? 1 : 0;
  switch (w) {
    case 2: return (i == -1 || i == 0) && (j == -1 || j == 0);
    case 3: return ai + aj <= 1;
    case 4:  // [-2, 1]^2 without its corners
      return i >= -2 && i <= 1 && j >= -2 && j <= 1 &&
             !((i == -2 || i == 1) && (j == -2 || j == 1));
    case 5: return ai <= 2 && aj <= 2 && !(ai == 2 && aj == 2);
    default: return i128(2 * i + e) * (2 * i + e) + i128(2 * j + e) * (2 * j + e) <= i128(w) * w;
  }
}

// Is affine g(p) > 0 at p + (eps, eps^2), eps -> 0? (the top-left rule)
inline bool positive_after_nudge(i128 g, i128 gx, i128 gy) {
  return g != 0 ? g > 0 : (gx != 0 ? gx > 0 : gy > 0);
}

// The wide line's body at pixel p: centre within w/2 of the segment between
// the disc centres, between its square ends, edges by the top-left rule.
inline bool in_body(TPoint a, TPoint b, i64 w, i64 px, i64 py) {
  const i64 e = w % 2 == 0 ? 1 : 0, dx = i64(b.x) - a.x, dy = i64(b.y) - a.y;
  const i128 rx = 2 * px - (2 * i64(a.x) - e), ry = 2 * py - (2 * i64(a.y) - e);  // half pixels
  const i128 len2 = i128(dx) * dx + i128(dy) * dy, reach2 = i128(w) * w * len2;
  const i128 dot = dx * rx + dy * ry, cross = dx * ry - dy * rx;
  auto strip = [&](i128 k, i128 gx, i128 gy) {  // k <= w |d|
    return k <= 0 || k * k < reach2 || (k * k == reach2 && positive_after_nudge(0, gx, gy));
  };
  return (dx != 0 || dy != 0) && positive_after_nudge(dot, dx, dy) &&
         positive_after_nudge(2 * len2 - dot, -dx, -dy) && strip(cross, dy, -dx) &&
         strip(-cross, -dy, dx);
}

inline PixelSet reference_wide(TPoint a, TPoint b, i64 w, int width, int height) {
  PixelSet out;
  for (i64 y = 0; y < height; ++y)
    for (i64 x = 0; x < width; ++x)
      if (in_disc(w, x - a.x, y - a.y) || in_disc(w, x - b.x, y - b.y) || in_body(a, b, w, x, y))
        out.insert({x, y});
  return out;
}

}  // namespace korvel::testing
