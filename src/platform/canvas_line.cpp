// Thin pen: Bresenham, the start pixel drawn, the end pixel left out.
//
// Along the major axis u (the one with the larger extent; y on a tie of
// |dx| and |dy|) there is one pixel per u. Its minor coordinate is the exact
// line's, rounded to the nearest integer, halves going to the smaller value:
//
//   v(u) = v0 + ceil((2 (u - u0) dv - du) / (2 du))      with du > 0
//
// The rule does not depend on which end the line starts from, so the line is
// walked with u increasing and the end pixel is removed by its u. Clipping
// solves v(u) >= 0 and v(u) <= size - 1 for u exactly, in 128-bit arithmetic,
// before any stepping: far-away ends cost nothing and light the same pixels
// as the unclipped line.
#include <cstdlib>

#include "platform/canvas_internal.h"

namespace korvel::detail {

namespace {

// One line in major/minor coordinates, walked with u increasing.
struct MajorLine {
  i64 u0, v0;       // the end with the smaller u
  i64 du, dv;       // du > 0, |dv| <= du
  i64 first, last;  // the u range drawn, both included
};

MajorLine orient(i64 u_from, i64 v_from, i64 u_to, i64 v_to) {
  if (u_to > u_from) return {u_from, v_from, u_to - u_from, v_to - v_from, u_from, u_to - 1};
  return {u_to, v_to, u_from - u_to, v_from - v_to, u_to + 1, u_from};
}

}  // namespace

void thin_line(SpanWriter& out, TPoint from, TPoint to) {
  const i64 dx = i64(to.x) - from.x, dy = i64(to.y) - from.y;
  if (dx == 0 && dy == 0) return;
  const bool x_major = std::llabs(dx) > std::llabs(dy);
  const MajorLine line =
      x_major ? orient(from.x, from.y, to.x, to.y) : orient(from.y, from.x, to.y, to.x);
  const i64 major_size = x_major ? out.width() : out.height();
  const i64 minor_size = x_major ? out.height() : out.width();

  // t = u - u0 over the drawn range, clipped to the picture along u ...
  i64 lo = std::max<i64>(line.first, 0) - line.u0;
  i64 hi = std::min<i64>(line.last, major_size - 1) - line.u0;
  if (lo > hi) return;
  // ... then to v(t) >= 0, i.e. 2 t dv - du (2k - 1) > 0 with k = -v0,
  // and v(t) <= minor_size - 1, i.e. du (2k + 1) - 2 t dv >= 0 with k = minor_size - 1 - v0.
  const i128 du = line.du, dv = line.dv;
  const i128 k_lo = -i128(line.v0), k_hi = i128(minor_size) - 1 - line.v0;
  if (!clip_linear(2 * dv, -du * (2 * k_lo - 1), true, lo, hi)) return;
  if (!clip_linear(-2 * dv, du * (2 * k_hi + 1), false, lo, hi)) return;

  // Bresenham from t = lo; err = 2 t dv - du - 2 du (v - v0) stays in (-2 du, 0].
  const i128 q = 2 * i128(lo) * dv - du;
  const i128 steps = ceil_div(q, 2 * du);
  i64 v = i64(line.v0 + steps);
  i64 err = i64(q - 2 * du * steps);
  const i64 two_du = 2 * line.du, two_dv = 2 * line.dv;
  for (i64 t = lo; t <= hi; ++t) {
    const i64 u = line.u0 + t;
    if (x_major)
      out.pixel(u, v);
    else
      out.pixel(v, u);
    err += two_dv;
    if (two_dv >= 0) {
      if (err > 0) ++v, err -= two_du;
    } else if (err <= -two_du) {
      --v, err += two_du;
    }
  }
}

}  // namespace korvel::detail
