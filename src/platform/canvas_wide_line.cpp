// Wide pen: the union of the segment's body and the pen disc at each end,
// built row by row as at most three intervals and combined once per pixel,
// so a line drawn twice in pmXor leaves no trace.
//
//        ___________________
//       /  disc      body   \      the body is the rectangle of half-width
//      |   @-----------------@|    w/2 around the segment between the two
//       \___________________/      disc centres, its ends cut square
//
// Geometry is exact: in half-pixel units a pixel's centre is (2x, 2y) and the
// segment joins the disc centres C0 = 2 P0 - e and C1 = 2 P1 - e (e = 1 for
// even widths, whose discs are centred on a pixel corner). With d = P1 - P0:
//
//   K   = cross(d, 2p - C0)    the body needs |K| <= w |d|
//   dot = dot(d, 2p - C0)      and 0 <= dot <= 2 |d|^2
//
// No pixel centre lies exactly on a long side: |K| = w |d| would need |d| to
// be an integer, d a multiple of a primitive Pythagorean triple (or an axis),
// and then the two sides differ in parity. A centre exactly on a square end
// belongs to the body when that end is a top or a left edge (the usual fill
// rule), so the set does not depend on the direction of the line. Products
// of 32-bit coordinates need 128 bits.
#include <new>
#include <type_traits>

#include "platform/canvas_internal.h"

namespace korvel::detail {

namespace {

// Is a pixel centre on an edge whose inward normal is (nx, ny) inside?
bool top_left(i64 nx, i64 ny) { return nx > 0 || (nx == 0 && ny > 0); }

// floor((n0 + n1 k) / a) for k = 0, 1, 2, ... (a > 0): one addition a step
// instead of a division a row. Exact while n0 + n1 k fits 64 bits.
class FloorWalk {
 public:
  FloorWalk() = default;
  FloorWalk(i64 n0, i64 n1, i64 a)
      : m_a(a), m_q(floor_div(n0, a)), m_r(n0 - m_q * a), m_dq(floor_div(n1, a)), m_dr(n1 - m_dq * a) {}
  i64 value() const { return m_q; }
  void step() {
    m_q += m_dq;
    m_r += m_dr;  // both in [0, a)
    if (m_r >= m_a) m_r -= m_a, ++m_q;
  }

 private:
  i64 m_a = 1, m_q = 0, m_r = 0, m_dq = 0, m_dr = 0;
};

// The columns x with alpha x + beta >= 0 (> 0 when strict), row after row,
// beta growing by beta_step a row: a lower bound when alpha > 0, an upper
// one when alpha < 0, all or nothing when alpha = 0. The same integers as
// clip_linear.
class EdgeWalk {
 public:
  EdgeWalk() = default;
  EdgeWalk(i64 alpha, i64 beta, i64 beta_step, bool strict)
      : m_alpha(alpha), m_beta(beta), m_beta_step(beta_step), m_strict(strict) {
    if (alpha > 0)  // x >= ceil(-beta / alpha), or floor(-beta / alpha) + 1
      m_bound = FloorWalk(-beta + alpha - (strict ? 0 : 1), -beta_step, alpha);
    else if (alpha < 0)  // x <= floor(beta / -alpha), or ceil(beta / -alpha) - 1
      m_bound = FloorWalk(beta - (strict ? 1 : 0), beta_step, -alpha);
  }
  // Narrows [lo, hi] for the current row; false when nothing is left.
  bool clip(i64& lo, i64& hi) const {
    if (m_alpha > 0)
      lo = std::max(lo, m_bound.value());
    else if (m_alpha < 0)
      hi = std::min(hi, m_bound.value());
    else if (m_strict ? m_beta <= 0 : m_beta < 0)
      return false;
    return lo <= hi;
  }
  void step() {
    if (m_alpha != 0)
      m_bound.step();
    else
      m_beta += m_beta_step;
  }

 private:
  i64 m_alpha = 0, m_beta = 0, m_beta_step = 0;
  bool m_strict = false;
  FloorWalk m_bound;
};

// T is the type of the per-row arithmetic: i64 when every end and the width
// lie within 2^28 (products stay below 2^62), i128 otherwise.
template <class T>
class Body {
 public:
  Body(TPoint from, TPoint to, i64 width) : m_dx(i64(to.x) - from.x), m_dy(i64(to.y) - from.y) {
    const i64 e = width % 2 == 0 ? 1 : 0;
    m_cx = 2 * i64(from.x) - e;
    m_cy = 2 * i64(from.y) - e;
    // |K| <= w |d| iff |K| <= floor(w |d|). (w |d|)^2 < 2^127 for any int
    // width and 32-bit ends; for a width and a length under 2^13 it is
    // below 2^53, in 64 bits (its root in double precision below 2^52).
    constexpr i64 kShort = i64(1) << 13;
    if (width < kShort && std::llabs(m_dx) < kShort && std::llabs(m_dy) < kShort) {
      const i64 length_sq = m_dx * m_dx + m_dy * m_dy;
      m_reach = T(isqrt(u64(width * width * length_sq)));
      m_length2 = T(2 * length_sq);
    } else {
      const i128 length_sq = i128(m_dx) * m_dx + i128(m_dy) * m_dy;
      m_reach = T(isqrt(u128(i128(width) * width * length_sq)));
      m_length2 = T(2 * length_sq);
    }
    m_strict_start = !top_left(m_dx, m_dy);  // dot >= 0
    m_strict_end = !top_left(-m_dx, -m_dy);  // dot <= 2 |d|^2
  }

  // The body's pixels of row y within columns [x_min, x_max].
  Span row(i64 y, i64 x_min, i64 x_max) const {
    i64 lo = x_min, hi = x_max;
    const T ry = 2 * T(y) - m_cy, dx = m_dx, dy = m_dy;
    // K(x) = -2 dy x + k0 and dot(x) = 2 dx x + d0.
    const T k0 = dx * ry + dy * m_cx;
    const T d0 = dy * ry - dx * m_cx;
    const bool inside = clip_linear<T>(2 * dy, m_reach - k0, false, lo, hi) &&
                        clip_linear<T>(-2 * dy, k0 + m_reach, false, lo, hi) &&
                        clip_linear<T>(2 * dx, d0, m_strict_start, lo, hi) &&
                        clip_linear<T>(-2 * dx, m_length2 - d0, m_strict_end, lo, hi);
    return inside ? Span{lo, hi} : Span{};
  }

  // The rows from y on, within columns [x_min, x_max], one after the other:
  // row() without its divisions (T = i64 only).
  class Walk {
   public:
    Walk(const Body& b, i64 y, i64 x_min, i64 x_max) : m_x_min(x_min), m_x_max(x_max) {
      const i64 ry = 2 * y - b.m_cy;
      const i64 k0 = b.m_dx * ry + b.m_dy * b.m_cx, d0 = b.m_dy * ry - b.m_dx * b.m_cx;
      // A row down adds 2 to ry: 2 dx to k0 and 2 dy to d0.
      m_edges[0] = EdgeWalk(2 * b.m_dy, b.m_reach - k0, -2 * b.m_dx, false);
      m_edges[1] = EdgeWalk(-2 * b.m_dy, k0 + b.m_reach, 2 * b.m_dx, false);
      m_edges[2] = EdgeWalk(2 * b.m_dx, d0, 2 * b.m_dy, b.m_strict_start);
      m_edges[3] = EdgeWalk(-2 * b.m_dx, b.m_length2 - d0, -2 * b.m_dy, b.m_strict_end);
    }
    // This row's span; then moves to the next row.
    Span next() {
      i64 lo = m_x_min, hi = m_x_max;
      bool inside = true;
      for (EdgeWalk& e : m_edges) {
        inside = inside && e.clip(lo, hi);
        e.step();
      }
      return inside ? Span{lo, hi} : Span{};
    }

   private:
    i64 m_x_min, m_x_max;
    EdgeWalk m_edges[4];
  };

 private:
  i64 m_dx, m_dy;
  T m_cx = 0, m_cy = 0, m_reach = 0, m_length2 = 0;
  bool m_strict_start = false, m_strict_end = false;
};

// The disc's columns of row dy, kept or computed.
class DiscRow {
 public:
  explicit DiscRow(i64 width) : m_disc(width), m_table(disc_rows(width)) {}
  const PenDisc& disc() const { return m_disc; }
  // Span{} when row dy is outside the disc.
  Span operator()(i64 dy) const {
    if (dy < m_disc.first_row() || dy > m_disc.last_row()) return Span{};
    return m_table ? m_table[dy - m_disc.first_row()] : m_disc.row(dy);
  }

 private:
  PenDisc m_disc;
  const Span* m_table;
};

Span shifted(Span s, i64 x) { return s.empty() ? s : Span{s.x1 + x, s.x2 + x}; }

// Rows y_first..y_last of the line within columns [x_min, x_max]: the two
// discs' intervals and the body's, merged by `out` (a SpanWriter, or a
// LineShape being recorded).
template <class T, class Out>
void paint_rows(Out& out, TPoint from, TPoint to, i64 width, i64 y_first, i64 y_last, i64 x_min, i64 x_max,
                const DiscRow& disc) {
  if (from == to) {  // a zero-length line leaves one disc
    for (i64 y = y_first; y <= y_last; ++y) {
      const Span s = shifted(disc(y - from.y), from.x);
      if (!s.empty()) out.span(y, s.x1, s.x2);
    }
    return;
  }
  const Body<T> body(from, to, width);
  if constexpr (std::is_same_v<T, i64>) {
    typename Body<T>::Walk rows(body, y_first, x_min, x_max);
    const i64 x_near = std::clamp<i64>(from.x, x_min, x_max);
    for (i64 y = y_first; y <= y_last; ++y) {
      out.prefetch(y + 2, x_near);
      out.row3(y, shifted(disc(y - from.y), from.x), shifted(disc(y - to.y), to.x), rows.next());
    }
  } else {
    for (i64 y = y_first; y <= y_last; ++y)
      out.row3(y, shifted(disc(y - from.y), from.x), shifted(disc(y - to.y), to.x), body.row(y, x_min, x_max));
  }
}

// A wide line's pixels relative to its start, row by row. The geometry is
// exact and shifts with the line, so every line with the same d and width
// has the same shape: a shadow band or a row of clones draws one shape many
// times, at a cost of a few operations a row instead of the walk of its
// edges.
class LineShape {
 public:
  // Lines up to this long and this wide are kept as shapes.
  static constexpr i64 kMaxLength = 1024, kMaxWidth = 64;

  bool is(i64 dx, i64 dy, i64 width) const { return dx == m_dx && dy == m_dy && width == m_width; }
  // Throws std::bad_alloc, leaving nothing recorded.
  void record(i64 dx, i64 dy, i64 width) {
    m_width = 0;
    m_starts.clear();
    m_spans.clear();
    const DiscRow disc(width);
    m_first_row = std::min<i64>(0, dy) + disc.disc().first_row();
    m_last_row = std::max<i64>(0, dy) + disc.disc().last_row();
    m_row = m_first_row - 1;
    constexpr i64 kFar = i64(1) << 20;
    paint_rows<i64>(*this, {0, 0}, {int(dx), int(dy)}, width, m_first_row, m_last_row, -kFar, kFar, disc);
    while (m_row < m_last_row) begin_row(m_row + 1);
    m_starts.push_back(std::uint32_t(m_spans.size()));
    m_x_min = kFar;
    m_x_max = -kFar;
    for (const Span& span : m_spans) m_x_min = std::min(m_x_min, span.x1), m_x_max = std::max(m_x_max, span.x2);
    m_one_span_a_row = m_spans.size() + 1 == m_starts.size();
    for (std::size_t r = 0; m_one_span_a_row && r + 1 < m_starts.size(); ++r)
      m_one_span_a_row = m_starts[r + 1] - m_starts[r] == 1;
    m_dx = dx;
    m_dy = dy;
    m_width = width;
  }
  // Draws the shape with its start at `from`, within the writer's rows.
  void draw(SpanWriter& out, TPoint from) const {
    const i64 y_first = std::max(from.y + m_first_row, out.first_row());
    const i64 y_last = std::min(from.y + m_last_row, out.last_row());
    const i64 left = from.x + m_x_min, right = from.x + m_x_max;
    if (y_first > y_last || right < 0 || left >= out.width()) return;
    const Span* span = m_spans.data() + m_starts[std::size_t(y_first - from.y - m_first_row)];
    const std::uint32_t* start = m_starts.data() + (y_first - from.y - m_first_row) + 1;
    if (left < 0 || right >= out.width()) {
      for (i64 y = y_first; y <= y_last; ++y, ++start)
        for (const Span* end = m_spans.data() + *start; span < end; ++span)
          out.span(y, span->x1 + from.x, span->x2 + from.x);
      return;
    }
    // Within the picture's columns: no clipping, the box noted once.
    const bool whole = y_first == from.y + m_first_row && y_last == from.y + m_last_row;
    if (m_one_span_a_row) {  // the usual short line: span r is row r
      const std::size_t stride = std::size_t(out.width());
      std::uint32_t* row = out.row(y_first) + from.x;
      const Span* const first = span;
      const Span* const end = span + (y_last - y_first + 1);
      for (; span < end; ++span, row += stride) out.span_at(row, span->x1, span->x2);
      if (whole) {
        out.note_box(left, y_first, right, y_last);
        return;
      }
      i64 x1 = m_x_max, x2 = m_x_min;
      for (span = first; span < end; ++span) x1 = std::min(x1, span->x1), x2 = std::max(x2, span->x2);
      out.note_box(x1 + from.x, y_first, x2 + from.x, y_last);
      return;
    }
    i64 x1 = out.width(), x2 = -1;
    const std::size_t stride = std::size_t(out.width());
    std::uint32_t* row = out.row(y_first) + from.x;
    for (i64 y = y_first; y <= y_last; ++y, ++start, row += stride) {
      if (y + 2 <= y_last) __builtin_prefetch(row + 2 * stride + span->x1, 1);
      for (const Span* end = m_spans.data() + *start; span < end; ++span) {
        out.span_at(row, span->x1, span->x2);
        if (!whole) x1 = std::min(x1, span->x1 + from.x), x2 = std::max(x2, span->x2 + from.x);
      }
    }
    if (whole)
      out.note_box(left, y_first, right, y_last);
    else if (x1 <= x2)
      out.note_box(x1, y_first, x2, y_last);
  }

  // As an output of paint_rows, rows in order.
  void span(i64 y, i64 x1, i64 x2) {
    while (m_row < y) begin_row(m_row + 1);
    m_spans.push_back({x1, x2});
  }
  void row3(i64 y, Span a, Span b, Span c) {
    while (m_row < y) begin_row(m_row + 1);
    if (b.x1 < a.x1) std::swap(a, b);
    if (c.x1 < b.x1) std::swap(b, c);
    if (b.x1 < a.x1) std::swap(a, b);
    Span run;
    for (const Span& s : {a, b, c}) {
      if (s.empty()) continue;
      if (!run.empty() && s.x1 <= run.x2 + 1) {
        run.x2 = std::max(run.x2, s.x2);
        continue;
      }
      if (!run.empty()) m_spans.push_back(run);
      run = s;
    }
    if (!run.empty()) m_spans.push_back(run);
  }
  void prefetch(i64, i64) const {}

 private:
  void begin_row(i64 y) {
    m_row = y;
    m_starts.push_back(std::uint32_t(m_spans.size()));
  }

  i64 m_dx = 0, m_dy = 0, m_width = 0;  // width 0: nothing recorded
  // Rows (relative to the start) from first to last, and the columns they reach.
  i64 m_first_row = 0, m_last_row = 0, m_x_min = 0, m_x_max = 0;
  i64 m_row = 0;                        // while recording: the row being built
  bool m_one_span_a_row = false;
  std::vector<std::uint32_t> m_starts;  // row r's spans: m_starts[r] to m_starts[r + 1]
  std::vector<Span> m_spans;
};

// The shape of a line, from a few kept per thread; the one asked last first,
// as lines of a shadow band or of clones come in runs. Null when there is
// no memory to record it: the line is then drawn without a shape.
const LineShape* shape_of(i64 dx, i64 dy, i64 width) {
  constexpr int kKept = 16;
  thread_local LineShape kept[kKept];
  thread_local const LineShape* last = &kept[0];
  if (last->is(dx, dy, width)) return last;
  const auto slot = std::size_t((u64(dx) * 0x9E3779B97F4A7C15ull ^ u64(dy) * 0xC2B2AE3D27D4EB4Full ^ u64(width)) >> 60);
  LineShape& s = kept[slot % kKept];
  if (!s.is(dx, dy, width)) {
    try {
      s.record(dx, dy, width);
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }
  last = &s;
  return &s;
}

}  // namespace

const Span* disc_rows(i64 width) {
  constexpr i64 kKept = 4096;  // a table of at most 32 KB a width
  constexpr int kWidths = 4;
  struct Kept {
    i64 width = 0;
    std::vector<Span> rows;
  };
  thread_local Kept kept[kWidths];
  thread_local int next = 0;
  if (width > kKept) return nullptr;
  for (const Kept& k : kept)
    if (k.width == width) return k.rows.data();
  Kept& k = kept[next];
  next = (next + 1) % kWidths;
  const PenDisc disc(width);
  k.width = 0;  // until every row is there
  k.rows.clear();
  try {
    for (i64 dy = disc.first_row(); dy <= disc.last_row(); ++dy) k.rows.push_back(disc.row(dy));
  } catch (const std::bad_alloc&) {
    return nullptr;  // the rows are computed as asked
  }
  k.width = width;
  return k.rows.data();
}

void wide_line(SpanWriter& out, TPoint from, TPoint to, i64 width) {
  const i64 dx = i64(to.x) - from.x, dy = i64(to.y) - from.y;
  if (std::llabs(dx) <= LineShape::kMaxLength && std::llabs(dy) <= LineShape::kMaxLength &&
      width <= LineShape::kMaxWidth) {
    if (const LineShape* shape = shape_of(dx, dy, width)) {
      shape->draw(out, from);
      return;
    }
  }
  const DiscRow disc(width);
  // Everything lies within the discs' reach of the two ends.
  const i64 y_first = std::max<i64>(std::min(from.y, to.y) + disc.disc().first_row(), out.first_row());
  const i64 y_last = std::min<i64>(std::max(from.y, to.y) + disc.disc().last_row(), out.last_row());
  const i64 x_first = std::min(from.x, to.x) + disc.disc().first_row();
  const i64 x_last = std::max(from.x, to.x) + disc.disc().last_row();
  if (y_first > y_last || x_last < 0 || x_first >= out.width()) return;
  constexpr i64 kSmall = i64(1) << 28;
  auto small = [](i64 v) { return v >= -kSmall && v <= kSmall; };
  if (small(from.x) && small(from.y) && small(to.x) && small(to.y) && width <= kSmall)
    paint_rows<i64>(out, from, to, width, y_first, y_last, 0, out.width() - 1, disc);
  else
    paint_rows<i128>(out, from, to, width, y_first, y_last, 0, out.width() - 1, disc);
}

}  // namespace korvel::detail
