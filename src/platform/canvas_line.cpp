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
#include <optional>

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

// Where Bresenham starts: the minor coordinate and the error at t = lo.
struct Start {
  i64 v, err;
};

// Clips [lo, hi] to the minor coordinates minor_first..minor_last and finds
// the start; nothing when the line misses them.
template <class T>
std::optional<Start> clip_start(const MajorLine& line, i64 minor_first, i64 minor_last, i64& lo, i64& hi) {
  const T du = line.du, dv = line.dv;
  const T k_lo = T(minor_first) - line.v0, k_hi = T(minor_last) - line.v0;
  if (!clip_linear<T>(2 * dv, -du * (2 * k_lo - 1), true, lo, hi)) return std::nullopt;
  if (!clip_linear<T>(-2 * dv, du * (2 * k_hi + 1), false, lo, hi)) return std::nullopt;
  // err = 2 t dv - du - 2 du (v - v0) stays in (-2 du, 0].
  const T q = 2 * T(lo) * dv - du;
  const T steps = ceil_div<T>(q, 2 * du);
  return Start{i64(line.v0 + steps), i64(q - 2 * du * steps)};
}

}  // namespace

void thin_line(SpanWriter& out, TPoint from, TPoint to) {
  const i64 dx = i64(to.x) - from.x, dy = i64(to.y) - from.y;
  if (dx == 0 && dy == 0) return;
  const bool x_major = std::llabs(dx) > std::llabs(dy);
  const MajorLine line =
      x_major ? orient(from.x, from.y, to.x, to.y) : orient(from.y, from.x, to.y, to.x);
  // The picture's columns and the writer's rows, along u and along v.
  const i64 major_first = x_major ? 0 : out.first_row(), major_last = x_major ? out.width() - 1 : out.last_row();
  const i64 minor_first = x_major ? out.first_row() : 0, minor_last = x_major ? out.last_row() : out.width() - 1;

  // t = u - u0 over the drawn range, clipped to the picture along u ...
  i64 lo = std::max<i64>(line.first, major_first) - line.u0;
  i64 hi = std::min<i64>(line.last, major_last) - line.u0;
  if (lo > hi) return;
  // ... then to v(t) >= minor_first, i.e. 2 t dv - du (2k - 1) > 0 with
  // k = minor_first - v0, and v(t) <= minor_last, i.e. du (2k + 1) - 2 t dv >= 0
  // with k = minor_last - v0. Within 2^28 of the origin these products fit
  // 64 bits; beyond, 128.
  constexpr i64 kSmall = i64(1) << 28;
  const bool small = std::llabs(line.u0) <= kSmall && std::llabs(line.v0) <= kSmall && line.du <= kSmall &&
                     out.width() <= kSmall && out.height() <= kSmall;
  const std::optional<Start> start = small ? clip_start<i64>(line, minor_first, minor_last, lo, hi)
                                           : clip_start<i128>(line, minor_first, minor_last, lo, hi);
  if (!start) return;
  i64 v = start->v, err = start->err;
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
