// Ellipse: a midpoint ellipse through the box's extreme rows and columns,
// computed row by row (never stepped along the whole curve), so boxes spanning
// the 32-bit range cost only the picture's rows.
//
// In half-pixel units about the box's centre, pixel (x, y) of the box
// [l, r) x [t, b) is (X, Y) = (2x - 2l - A, 2y - 2t - B) with A = r - l - 1,
// B = b - t - 1, so X runs over -A, -A + 2, ..., A. The curve is
// (X/A)^2 + (Y/B)^2 = 1, i.e. F(X, Y) = (B X)^2 + (A Y)^2 - (A B)^2 = 0.
//
//   Y = 7   . . # # # # . .     an 8 x 8 box: A = B = 7
//   Y = 5   . # . . . . # .
//   Y = 3   # . . . . . . #     reach(Y): the outline's largest |X| in row
//   Y = 1   # . . . . . . #     Y, also the half-width of the filled row.
//   Y = 1   # . . . . . . #     In the right half the run of row Y goes from
//   Y = 3   # . . . . . . #     inner(Y) = min(reach(Y + 2) + 2, reach(Y))
//   Y = 5   . # . . . . # .     to reach(Y): the fill's boundary, a closed
//   Y = 7   . . # # # # . .     8-connected path with each pixel once.
//
// The midpoint rule rounds the curve to the nearest row in each column where
// it is flat, and to the nearest column in each row where it is steep. Here a
// row reaches the farther of the two: the last X whose midpoint towards the
// centre, vertically (X, Y - 1) or horizontally (X - 1, Y), is inside. That
// needs no split at 45 degrees and treats rows and columns alike (a box
// transposed gives the ellipse transposed). The rows nearest the centre reach
// X = A and every row has its middle pixel, so the box's extreme columns and
// rows are always drawn.
#include <cstdlib>

#include "platform/canvas_internal.h"

namespace korvel {

using detail::i64;
using detail::Span;
using detail::u64;

namespace {

// The last x of first, first + 2, ... <= last with pred(x), or first - 2 when
// there is none; pred is true up to some x and false after. The search starts
// at `guess`, normally within a step of the answer, and gallops from there,
// so even a poor guess costs only a logarithm of the range.
template <class Pred>
i64 last_true(i64 first, i64 last, long double guess, Pred pred) {
  i64 good = first - 2, bad = last + 2;  // pred(good) holds, pred(bad) does not
  i64 x = first;
  if (guess >= static_cast<long double>(last))
    x = last;
  else if (guess > static_cast<long double>(first))
    x = first + (static_cast<i64>(guess) - first) / 2 * 2;
  if (pred(x)) {
    good = x;
    for (i64 step = 2; good < last; step *= 2) {
      const i64 next = std::min(good + step, last);
      if (!pred(next)) {
        bad = next;
        break;
      }
      good = next;
    }
  } else {
    bad = x;
    for (i64 step = 2; bad > first; step *= 2) {
      const i64 next = std::max(bad - step, first);
      if (pred(next)) {
        good = next;
        break;
      }
      bad = next;
    }
  }
  while (bad - good > 2) {  // good and bad keep the parity of first
    const i64 mid = good + (bad - good) / 4 * 2;
    if (pred(mid))
      good = mid;
    else
      bad = mid;
  }
  return good;
}

class EllipseRows {
 public:
  EllipseRows(i64 left, i64 top, i64 right, i64 bottom)
      : m_top(top),
        m_a(right - left - 1),
        m_b(bottom - top - 1),
        m_mirror(2 * left + m_a),
        m_box(right - left <= 2 || bottom - top <= 2) {}

  i64 first_row() const { return m_top; }
  i64 last_row() const { return m_top + m_b; }
  i64 middle_row() const { return m_top + m_b / 2; }

  // The filled row y: the outline's extremes and everything between.
  Span fill(i64 y) const {
    const i64 r = reach(row_y(y));
    return {column(-r), column(r)};
  }
  // The outline's pixels of row y in the right half; `mirror` gives the left.
  Span right_run(i64 y) const {
    const i64 yy = row_y(y);
    return {column(inner(yy)), column(reach(yy))};
  }
  Span mirror(Span s) const { return {m_mirror - s.x2, m_mirror - s.x1}; }
  i64 mirror_of(i64 x) const { return m_mirror - x; }

 private:
  i64 row_y(i64 y) const { return std::llabs(2 * (y - m_top) - m_b); }
  i64 column(i64 x) const { return (m_mirror + x) / 2; }  // m_mirror + x is even

  i64 inner(i64 y) const {
    if (y == m_b) return m_a % 2;  // the top and bottom rows start at the middle
    return std::min(reach(y + 2) + 2, reach(y));
  }

  // Boxes 1 or 2 pixels wide or high are rectangles: every row reaches A.
  i64 reach(i64 y) const {
    if (m_box || y == m_b % 2) return m_a;
    const u64 a = u64(m_a), b = u64(m_b), ab = a * b;
    const u64 dy = u64(y - 1);
    const i64 by_column = last_true(m_a % 2, m_a, estimate(y - 1), [&](i64 c) {
      return detail::compare_sum_sq(b * u64(c), a * dy, ab) < 0;
    });
    const i64 by_row = last_true(m_a % 2, m_a, 1 + estimate(y), [&](i64 c) {
      return detail::compare_sum_sq(b * u64(std::llabs(c - 1)), a * u64(y), ab) < 0;
    });
    return std::max({by_column, by_row, m_a % 2});
  }

  // The curve's X at height y, approximately: A sqrt(B^2 - y^2) / B.
  long double estimate(i64 y) const {
    const auto rest = static_cast<long double>(detail::i128(m_b - y) * (m_b + y));
    return static_cast<long double>(m_a) * std::sqrt(std::max<long double>(rest, 0)) /
           static_cast<long double>(m_b);
  }

  i64 m_top, m_a, m_b, m_mirror;
  bool m_box;
};

// Row ends that paint the same pixels: an end matters exactly only where it,
// or its mirror image, falls within one column of the picture; between and
// beyond those two windows every value paints alike and stands for all.
class EndClass {
 public:
  EndClass(Span a, Span b) : m_first(a.x1 <= b.x1 ? a : b), m_second(a.x1 <= b.x1 ? b : a) {}
  // The value standing for v: v itself within a window, else the first
  // value of v's gap (monotone in v).
  i64 operator()(i64 v) const {
    if (v < m_first.x1) return m_first.x1 - 1;
    if (v <= m_first.x2) return v;
    if (v < m_second.x1) return m_first.x2 + 1;
    if (v <= m_second.x2) return v;
    return std::max(m_first.x2, m_second.x2) + 1;
  }

 private:
  Span m_first, m_second;  // the windows, by their first value
};

// The largest value(j) over [lo, hi] as `same` sees it, given
// bound(a, b) >= value on [a, b]: branch and bound, best half first, since a
// wide outline's row end is a maximum over up to a pen's width of candidates.
// Comparing values only by what they paint stops a pen far wider than the
// picture from searching ranges as wide as the pen.
template <class Same, class Value, class Bound>
i64 max_by_bounds(i64 lo, i64 hi, Same same, Value value, Bound bound) {
  struct Range {
    i64 a, b, bound;
  };
  Range stack[160];  // depth <= 64, two entries a level
  int n = 0;
  stack[n++] = {lo, hi, same(bound(lo, hi))};
  i64 best = INT64_MIN;
  while (n > 0) {
    const Range r = stack[--n];
    if (r.bound <= best) continue;
    if (r.b - r.a < 8) {
      for (i64 j = r.a; j <= r.b; ++j) best = std::max(best, same(value(j)));
      continue;
    }
    const i64 m = r.a + (r.b - r.a) / 2;
    Range left{r.a, m, same(bound(r.a, m))}, right{m + 1, r.b, same(bound(m + 1, r.b))};
    if (left.bound > right.bound) std::swap(left, right);
    stack[n++] = left;
    stack[n++] = right;  // the more promising half is searched first
  }
  return best;
}

void thin_outline(detail::SpanWriter& out, const EllipseRows& shape) {
  const i64 y_first = std::max<i64>(shape.first_row(), 0);
  const i64 y_last = std::min<i64>(shape.last_row(), out.height() - 1);
  for (i64 y = y_first; y <= y_last; ++y) {
    const Span run = shape.right_run(y);
    Span spans[2] = {run, shape.mirror(run)};
    out.row(y, spans, 2);
  }
}

// The pen's disc at every outline pixel. In one row, the discs of the right
// half's pixels form one interval (the half is a path going down, and discs
// of neighbouring pixels touch), from the smallest left end to the largest
// right end over the disc rows j; the left half is its mirror image (an even
// disc mirrored is itself shifted one column right).
void wide_outline(detail::SpanWriter& out, const EllipseRows& shape, i64 width) {
  const detail::PenDisc disc(width);
  const i64 shift = width % 2 == 0 ? 1 : 0;
  const i64 y_first = std::max<i64>(shape.first_row() + disc.first_row(), 0);
  const i64 y_last = std::min<i64>(shape.last_row() + disc.last_row(), out.height() - 1);
  if (y_first > y_last) return;
  const i64 middle = shape.middle_row();
  // A right end r paints through r itself within [-1, W - 1] and through
  // its mirror image m - shift - r within [0, W]; a left end l through l
  // within [0, W] and m - shift - l within [-1, W - 1].
  const i64 w = out.width(), m = shape.mirror_of(shift);
  const EndClass right_class({-1, w - 1}, {m - w, m});
  const EndClass left_class({0, w}, {m - w + 1, m + 1});
  auto right_same = [&](i64 v) { return right_class(v); };
  auto left_same = [&](i64 v) { return -left_class(-v); };
  const i64 s_first = std::max(shape.first_row(), y_first - disc.last_row());
  const i64 s_last = std::min(shape.last_row(), y_last - disc.first_row());
  const detail::Memo run(s_first, s_last, [&](i64 ys) { return shape.right_run(ys); });
  const detail::Memo pen(std::max(disc.first_row(), y_first - s_last),
                         std::min(disc.last_row(), y_last - s_first),
                         [&](i64 j) { return disc.row(j); });
  for (i64 y = y_first; y <= y_last; ++y) {
    // Disc rows j whose source row y - j is in the box.
    const i64 j_lo = std::max(disc.first_row(), y - shape.last_row());
    const i64 j_hi = std::min(disc.last_row(), y - shape.first_row());
    // Both ends' terms are unimodal in j: right ends peak at the middle row
    // and the disc's centre row, left ends are lowest at the source range's
    // ends and at the disc's centre row.
    const i64 right = max_by_bounds(
        j_lo, j_hi, right_same, [&](i64 j) { return run(y - j).x2 + pen(j).x2; },
        [&](i64 a, i64 b) {
          return run(std::clamp(middle, y - b, y - a)).x2 + pen(std::clamp<i64>(0, a, b)).x2;
        });
    const i64 left = -max_by_bounds(
        j_lo, j_hi, left_same, [&](i64 j) { return -(run(y - j).x1 + pen(j).x1); },
        [&](i64 a, i64 b) {
          const i64 low = std::min(run(y - b).x1, run(y - a).x1);
          return -(low + pen(std::clamp<i64>(0, a, b)).x1);
        });
    Span spans[2] = {{left, right}, shape.mirror({left + shift, right + shift})};
    out.row(y, spans, 2);
  }
}

}  // namespace

void Canvas::Ellipse(int left, int top, int right, int bottom) {
  Write write(*this);
  const i64 l = std::min(left, right), r = std::max(left, right);
  const i64 t = std::min(top, bottom), b = std::max(top, bottom);
  if (l == r || t == b) return;
  const EllipseRows shape(l, t, r, b);
  if (Brush.Style == bsSolid) {
    detail::SpanWriter out(write.bitmap(), write.touched(), raster_op(Pen.Mode, pixel_of(Brush.Color)));
    const i64 y_last = std::min<i64>(b - 1, height() - 1);
    for (i64 y = std::max<i64>(t, 0); y <= y_last; ++y) {
      const Span s = shape.fill(y);
      out.span(y, s.x1, s.x2);
    }
  }
  if (Pen.Style == psClear) return;
  detail::SpanWriter out(write.bitmap(), write.touched(), raster_op(Pen.Mode, pixel_of(Pen.Color)));
  if (Pen.Width <= 1)
    thin_outline(out, shape);
  else
    wide_outline(out, shape, Pen.Width);
}

}  // namespace korvel
