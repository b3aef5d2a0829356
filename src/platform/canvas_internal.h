#pragma once
// Shared by the canvas's primitives: exact wide-integer helpers, the pen disc
// and the span writer through which every primitive reaches the pixels.
// Not part of the public API.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/geometry.h"

namespace korvel::detail {

using i64 = std::int64_t;
using u64 = std::uint64_t;
// Coordinates are 32-bit, so their differences take 33 bits and their
// products 66: exact geometry needs 128-bit intermediates.
__extension__ typedef __int128 i128;
__extension__ typedef unsigned __int128 u128;

// Floor and ceiling of a / b for b != 0, whatever the signs (T: i64 or i128).
template <class T>
T floor_div(T a, T b) {
  T q = a / b;
  if (a % b != 0 && ((a < 0) != (b < 0))) --q;
  return q;
}
template <class T>
T ceil_div(T a, T b) {
  return -floor_div<T>(-a, b);
}

// floor(sqrt(n)) for any n below 2^127.
inline u64 isqrt(u128 n);
// floor(sqrt(n)) for n below 2^52, in double precision.
inline u64 isqrt(u64 n) {
  if (n >= (u64(1) << 52)) return isqrt(u128(n));
  // n is exact in a double and its correctly rounded root is within one
  // unit of the last place of the true root, which is below 2^26: the
  // estimate's floor is the answer or one above it, and r^2 fits 64 bits.
  u64 r = static_cast<u64>(std::sqrt(static_cast<double>(n)));
  if (r * r > n) --r;
  return r;
}
inline u64 isqrt(u128 n) {
  if (n < (u128(1) << 52)) return isqrt(u64(n));
  auto s = static_cast<u64>(std::sqrt(static_cast<long double>(n)));
  while (s > 0 && u128(s) * s > n) --s;
  while (u128(s + 1) * (s + 1) <= n) ++s;
  return s;
}

// Sign of p^2 + q^2 - r^2, exact for any 64-bit magnitudes.
inline int compare_sum_sq(u64 p, u64 q, u64 r) {
  const u128 pp = u128(p) * p, qq = u128(q) * q, rr = u128(r) * r;
  if (pp > rr) return 1;
  const u128 rest = rr - pp;  // no overflow: compare q^2 with r^2 - p^2
  return qq < rest ? -1 : (qq == rest ? 0 : 1);
}

// Narrows [lo, hi] to the integers t with alpha*t + beta >= 0 (> 0 when
// `strict`). Returns false when nothing is left.
template <class T>
bool clip_linear(T alpha, T beta, bool strict, i64& lo, i64& hi) {
  if (alpha == 0) return (strict ? beta > 0 : beta >= 0) && lo <= hi;
  if (alpha > 0) {
    const T b = strict ? floor_div<T>(-beta, alpha) + 1 : ceil_div<T>(-beta, alpha);
    if (b > hi) return false;
    if (b > lo) lo = i64(b);
  } else {
    const T b = strict ? ceil_div<T>(beta, -alpha) - 1 : floor_div<T>(beta, -alpha);
    if (b < lo) return false;
    if (b < hi) hi = i64(b);
  }
  return lo <= hi;
}

// A run of pixels in one row, both ends included; empty when x2 < x1.
struct Span {
  i64 x1 = 0;
  i64 x2 = -1;
  bool empty() const { return x2 < x1; }
};

// The round pen of width >= 2, relative to the pen's pixel:
//
//   width 2   width 3   width 4   width 5
//    ##        .#.      .##.     .###.
//    #@        #@#      ####     #####
//              .#.      ##@#     ##@##
//                       .##.     #####
//                                .###.
//
// Odd widths are centred on the pixel @, even ones on its top-left corner.
// Width 3 is the plus sign; every other width is the set of pixels whose
// centre lies in the circle of diameter `width` (which gives 2, 4 and 5 too).
class PenDisc {
 public:
  explicit PenDisc(i64 width) : m_width(width), m_even(width % 2 == 0 ? 1 : 0) {}
  // Rows relative to the pen's pixel, both included.
  i64 first_row() const { return -(m_width / 2); }
  i64 last_row() const { return (m_width - 1) / 2; }
  // The columns of row `dy` (first_row() <= dy <= last_row()).
  Span row(i64 dy) const {
    if (m_width == 3) return dy == 0 ? Span{-1, 1} : Span{0, 0};
    // In half-pixel units the offsets are a = 2i + e, b = 2j + e and the rule
    // is a^2 + b^2 <= width^2.
    const i64 b = 2 * dy + m_even;
    const i64 s = i64(isqrt(u128(i128(m_width) * m_width - i128(b) * b)));
    return {ceil_div<i64>(-s - m_even, 2), floor_div<i64>(s - m_even, 2)};
  }

 private:
  i64 m_width;
  i64 m_even;
};

// The rows of a disc, first_row() to last_row(), for widths small enough to
// keep: a stroke draws thousands of lines with one or two widths, and each
// row costs a square root. The storage is kept per thread between calls.
// Null for wider pens, whose rows are computed as asked (at most a few per
// picture row).
const Span* disc_rows(i64 width);

// f(i) for i in [first, last], tabled when that range is short (a pen disc's
// rows, or a small ellipse's, are asked for over and over), computed on
// demand otherwise.
template <class F>
class Memo {
 public:
  Memo(i64 first, i64 last, F f) : m_first(first), m_f(f) {
    if (last - first < (i64(1) << 16))
      for (i64 i = first; i <= last; ++i) m_table.push_back(f(i));
  }
  Span operator()(i64 i) const {
    return m_table.empty() ? m_f(i) : m_table[std::size_t(i - m_first)];
  }

 private:
  i64 m_first;
  F m_f;
  std::vector<Span> m_table;
};

// Writes pixels through one raster op, clipped to the bitmap, and adds what it
// touched to `changed` when it goes out of scope. The bitmap and the rectangle
// are those of a Canvas::Write (a line batch is drawn inside one). Lines draw
// only the rows of its window, all of the bitmap's unless narrowed: a band of
// rows drawn by one thread.
class SpanWriter {
 public:
  SpanWriter(Bitmap& bitmap, Rect& changed, RasterOp op)
      : m_bitmap(bitmap), m_changed(changed), m_op(op), m_last_row(i64(bitmap.height()) - 1) {}
  SpanWriter(const SpanWriter&) = delete;
  SpanWriter& operator=(const SpanWriter&) = delete;
  ~SpanWriter() {
    if (m_x1 <= m_x2) m_changed.unite(Rect{int(m_x1), int(m_y1), int(m_x2) + 1, int(m_y2) + 1});
  }

  i64 width() const { return m_bitmap.width(); }
  i64 height() const { return m_bitmap.height(); }
  // The rows lines may draw, both included, within the bitmap's.
  i64 first_row() const { return m_first_row; }
  i64 last_row() const { return m_last_row; }
  void set_rows(i64 first, i64 last) {
    m_first_row = std::max<i64>(first, 0);
    m_last_row = std::min<i64>(last, height() - 1);
  }
  void set_op(RasterOp op) { m_op = op; }

  // One pixel known to lie inside the bitmap.
  void pixel(i64 x, i64 y) {
    std::uint32_t& p = m_bitmap.row(int(y))[x];
    p = m_op.apply(p);
    note(y, x, x);
  }
  // Pixels x1..x2 of row y, clipped.
  void span(i64 y, i64 x1, i64 x2) {
    if (y < 0 || y >= m_bitmap.height()) return;
    x1 = std::max<i64>(x1, 0);
    x2 = std::min<i64>(x2, i64(m_bitmap.width()) - 1);
    if (x2 < x1) return;
    std::uint32_t* p = m_bitmap.row(int(y));
    const RasterOp op = m_op;
    for (i64 x = x1; x <= x2; ++x) p[x] = op.apply(p[x]);
    note(y, x1, x2);
  }
  // Row y of the bitmap, for span_at.
  std::uint32_t* row(i64 y) { return m_bitmap.row(int(y)); }
  // Pixels x1..x2 from `row`, known to lie inside the bitmap; the caller
  // notes them with note_box.
  void span_at(std::uint32_t* row, i64 x1, i64 x2) const {
    const RasterOp op = m_op;
    for (i64 x = x1; x <= x2; ++x) row[x] = op.apply(row[x]);
  }
  // Adds the box x1..x2 by y1..y2 (all included) to what was touched.
  void note_box(i64 x1, i64 y1, i64 x2, i64 y2) {
    note(y1, x1, x2);
    note(y2, x1, x2);
  }
  // The union of up to a few spans of row y, each pixel combined once even
  // where the spans overlap. Reorders `spans`.
  void row(i64 y, Span* spans, int count);
  // Asks the processor to start loading row y near column x: rows lie a page
  // or more apart, so a short wide line waits on memory once a row otherwise.
  void prefetch(i64 y, i64 x) const {
    if (y >= 0 && y < m_bitmap.height() && x >= 0 && x < m_bitmap.width())
      __builtin_prefetch(m_bitmap.row(int(y)) + x, 1);
  }
  // The union of three spans of row y, each pixel once.
  void row3(i64 y, Span a, Span b, Span c) {
    if (b.x1 < a.x1) std::swap(a, b);
    if (c.x1 < b.x1) std::swap(b, c);
    if (b.x1 < a.x1) std::swap(a, b);
    const Span sorted[3] = {a, b, c};
    row_sorted(y, sorted, 3);
  }
  // The union of spans of row y sorted by their first column.
  void row_sorted(i64 y, const Span* spans, int count) {
    Span run;  // the merged run being built
    for (int i = 0; i < count; ++i) {
      const Span& s = spans[i];
      if (s.empty()) continue;
      if (!run.empty() && s.x1 <= run.x2 + 1) {
        run.x2 = std::max(run.x2, s.x2);
        continue;
      }
      if (!run.empty()) span(y, run.x1, run.x2);
      run = s;
    }
    if (!run.empty()) span(y, run.x1, run.x2);
  }

 private:
  void note(i64 y, i64 x1, i64 x2) {
    m_x1 = std::min(m_x1, x1);
    m_x2 = std::max(m_x2, x2);
    m_y1 = std::min(m_y1, y);
    m_y2 = std::max(m_y2, y);
  }

  Bitmap& m_bitmap;
  Rect& m_changed;
  RasterOp m_op;
  i64 m_first_row = 0, m_last_row = 0;
  i64 m_x1 = INT64_MAX, m_x2 = INT64_MIN, m_y1 = INT64_MAX, m_y2 = INT64_MIN;
};

// Thin pen (canvas_line.cpp): Bresenham from `from` to `to`, `to` excluded.
void thin_line(SpanWriter& out, TPoint from, TPoint to);
// Wide pen (canvas_wide_line.cpp): body and end discs, each pixel once.
void wide_line(SpanWriter& out, TPoint from, TPoint to, i64 width);
// The line of a pen of that width, thin or wide.
inline void line(SpanWriter& out, TPoint from, TPoint to, i64 width) {
  if (width <= 1)
    thin_line(out, from, to);
  else
    wide_line(out, from, to, width);
}
// A band (canvas_band.cpp): line i from from + (i, i) to to + (i, i) with
// ops[i], for each i in order. The last line's ends fit in 32 bits.
void line_band(SpanWriter& out, TPoint from, TPoint to, i64 width, std::span<const RasterOp> ops);

}  // namespace korvel::detail
