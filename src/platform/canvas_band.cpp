// A band of lines, each one pixel right of and below the one before (a
// shadow). In the modes whose result does not depend on the picture
// (pmCopy, pmNotCopy, pmBlack, pmWhite) a pixel ends as the last line that
// covers it leaves it, so the band is drawn as its visible part only: each
// pixel once, through the op of its last line. Which line that is depends
// on the band's shape alone (the lines' geometry is exact and moves with
// them), so it is found once, by drawing the lines' numbers on a small
// scratch picture, and kept for the next bands of the same shape: the
// clones of a copy repeat it.
//
//   line 0   ##########          00000000000
//   line 1    ##########    ->   011111111111
//   line 2     ##########         0122222222222
//
// In the other modes each line is drawn in turn.
#include <cstdint>
#include <vector>

#include "platform/canvas_internal.h"

namespace korvel::detail {

namespace {

// The visible part of a band, row by row: runs of pixels whose last line is
// the same, relative to the first line's start.
class BandShape {
 public:
  // Whether a band is small enough to be kept as a shape: a box of at most
  // 64K pixels.
  static bool fits(i64 dx, i64 dy, i64 width, i64 lines) {
    constexpr i64 kReach = 256;
    if (std::llabs(dx) > kReach || std::llabs(dy) > kReach || width > kReach || lines > kReach) return false;
    const Rect b = box(dx, dy, width, lines);
    return i64(b.width()) * b.height() <= (i64(1) << 16);
  }

  struct Run {
    std::int32_t x1, x2;  // both included
    std::uint32_t line;   // the last line that covers them
  };

  // The box of a band of `lines` lines from (0, 0) to (dx, dy): everything
  // lies within the pen disc's reach of the lines' ends.
  static Rect box(i64 dx, i64 dy, i64 width, i64 lines) {
    const i64 up = width <= 1 ? 0 : width / 2, down = width <= 1 ? 0 : (width - 1) / 2;
    return Rect{int(std::min<i64>(0, dx) - up), int(std::min<i64>(0, dy) - up),
                int(std::max<i64>(0, dx) + down + lines), int(std::max<i64>(0, dy) + down + lines)};
  }

  bool is(i64 dx, i64 dy, i64 width, i64 lines) const {
    return dx == m_dx && dy == m_dy && width == m_width && lines == m_lines;
  }

  void record(i64 dx, i64 dy, i64 width, i64 lines) {
    m_dx = dx, m_dy = dy, m_width = width, m_lines = lines;
    m_box = box(dx, dy, width, lines);
    // Line i writes the number i + 1 over what is there.
    Bitmap scratch(m_box.width(), m_box.height());
    Rect unused;
    SpanWriter numbers(scratch, unused, RasterOp{});
    for (i64 i = 0; i < lines; ++i) {
      numbers.set_op(RasterOp{0, std::uint32_t(i + 1)});
      const TPoint from{int(i - m_box.left), int(i - m_box.top)};
      line(numbers, from, {int(from.x + dx), int(from.y + dy)}, width);
    }
    m_starts.clear();
    m_runs.clear();
    m_x_min = m_box.right;
    m_x_max = m_box.left;
    for (int y = 0; y < scratch.height(); ++y) {
      m_starts.push_back(std::uint32_t(m_runs.size()));
      const std::uint32_t* row = scratch.row(y);
      for (int x = 0; x < scratch.width();) {
        const std::uint32_t n = row[x];
        int end = x + 1;
        while (end < scratch.width() && row[end] == n) ++end;
        if (n != 0) {
          m_runs.push_back({x + m_box.left, end - 1 + m_box.left, n - 1});
          m_x_min = std::min<i64>(m_x_min, x + m_box.left);
          m_x_max = std::max<i64>(m_x_max, end - 1 + m_box.left);
        }
        x = end;
      }
    }
    m_starts.push_back(std::uint32_t(m_runs.size()));
  }

  // Draws the band with its first line starting at `from`, within the
  // writer's rows; run r's pixels through ops[r.line].
  void draw(SpanWriter& out, TPoint from, std::span<const RasterOp> ops) const {
    const i64 y_first = std::max<i64>(i64(from.y) + m_box.top, out.first_row());
    const i64 y_last = std::min<i64>(i64(from.y) + m_box.bottom - 1, out.last_row());
    const i64 left = from.x + m_x_min, right = from.x + m_x_max;
    if (y_first > y_last || m_x_min > m_x_max || right < 0 || left >= out.width()) return;
    const i64 row_first = y_first - from.y - m_box.top, row_last = y_last - from.y - m_box.top;
    const Run* run = m_runs.data() + m_starts[std::size_t(row_first)];
    if (left < 0 || right >= out.width()) {  // cut by the picture's sides
      for (i64 r = row_first; r <= row_last; ++r)
        for (const Run* row_end = m_runs.data() + m_starts[std::size_t(r) + 1]; run < row_end; ++run) {
          out.set_op(ops[run->line]);
          out.span(r + from.y + m_box.top, run->x1 + from.x, run->x2 + from.x);
        }
      return;
    }
    // Within the picture's columns: no clipping, the box noted once.
    i64 x1 = m_x_max, x2 = m_x_min;
    const std::size_t stride = std::size_t(out.width());
    std::uint32_t* row = out.row(y_first) + from.x;
    for (i64 r = row_first; r <= row_last; ++r, row += stride)
      for (const Run* row_end = m_runs.data() + m_starts[std::size_t(r) + 1]; run < row_end; ++run) {
        const RasterOp op = ops[run->line];
        for (i64 x = run->x1; x <= run->x2; ++x) row[x] = op.apply(row[x]);
        x1 = std::min<i64>(x1, run->x1), x2 = std::max<i64>(x2, run->x2);
      }
    if (x1 <= x2) out.note_box(x1 + from.x, y_first, x2 + from.x, y_last);
  }

 private:
  i64 m_dx = 0, m_dy = 0, m_width = 0, m_lines = 0;  // lines 0: nothing recorded
  Rect m_box;                                        // relative to the first line's start
  i64 m_x_min = 0, m_x_max = 0;                      // the columns the runs reach
  std::vector<std::uint32_t> m_starts;               // row r's runs: m_starts[r] to m_starts[r + 1]
  std::vector<Run> m_runs;
};

// The shape of a band, from a few kept per thread; the one asked last first,
// as the clones of a copy come in a row.
const BandShape& band_shape_of(i64 dx, i64 dy, i64 width, i64 lines) {
  constexpr int kKept = 8;
  thread_local BandShape kept[kKept];
  thread_local const BandShape* last = &kept[0];
  if (last->is(dx, dy, width, lines)) return *last;
  const auto slot = std::size_t((u64(dx) * 0x9E3779B97F4A7C15ull ^ u64(dy) * 0xC2B2AE3D27D4EB4Full ^
                                 u64(width) * 31 ^ u64(lines)) >> 61);
  BandShape& s = kept[slot % kKept];
  if (!s.is(dx, dy, width, lines)) s.record(dx, dy, width, lines);
  last = &s;
  return s;
}

// True when every op sets its pixels whatever they were.
bool overwrites(std::span<const RasterOp> ops) {
  for (const RasterOp& op : ops)
    if (op.and_mask != 0) return false;
  return true;
}

}  // namespace

void line_band(SpanWriter& out, TPoint from, TPoint to, i64 width, std::span<const RasterOp> ops) {
  const i64 dx = i64(to.x) - from.x, dy = i64(to.y) - from.y, lines = i64(ops.size());
  if (overwrites(ops) && BandShape::fits(dx, dy, width, lines)) {
    band_shape_of(dx, dy, width, lines).draw(out, from, ops);
    return;
  }
  for (i64 i = 0; i < lines; ++i) {
    out.set_op(ops[std::size_t(i)]);
    line(out, {int(from.x + i), int(from.y + i)}, {int(to.x + i), int(to.y + i)}, width);
  }
}

}  // namespace korvel::detail
