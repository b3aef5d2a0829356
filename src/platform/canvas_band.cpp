// A band of lines, each one pixel right of and below the one before (a
// shadow). In the modes whose result does not depend on the picture
// (pmCopy, pmNotCopy, pmBlack, pmWhite) a pixel ends as the last line that
// covers it leaves it, so the band is drawn as its visible part only: each
// pixel once, through the op of its last line. Which line that is depends
// on the band's shape alone (the lines' geometry is exact and moves with
// them), so it is found once, by drawing the lines' numbers on a small
// scratch picture, and kept for the next bands of the same shape: the
// clones of a copy repeat it. Three horizontal lines of width 2, and the
// last line of each pixel:
//
//   0000000000
//   01111111111
//    12222222222
//     2222222222
//
// In the other modes each line is drawn in turn.
#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "platform/canvas_internal.h"

namespace korvel::detail {

namespace {

// The visible part of a band, row by row, relative to the first line's
// start: pieces of covered pixels, each pixel with the number of the last
// line that covers it. (Lines are wider than they step, so most pixels of a
// row belong to different lines: a run a line would be a pixel or two.)
class BandShape {
 public:
  // Whether a band is small enough to be kept as a shape: up to 256 lines in
  // a box of at most 64K pixels.
  static bool fits(i64 dx, i64 dy, i64 width, i64 lines) {
    constexpr i64 kReach = 256;
    if (std::llabs(dx) > kReach || std::llabs(dy) > kReach || width > kReach || lines > kReach) return false;
    const Rect b = box(dx, dy, width, lines);
    return i64(b.width()) * b.height() <= (i64(1) << 16);
  }

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

  // Throws std::bad_alloc, leaving nothing recorded.
  void record(i64 dx, i64 dy, i64 width, i64 lines) {
    m_lines = 0;
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
    m_pieces.clear();
    m_lines_of.clear();
    i64 x_min = m_box.right, x_max = m_box.left, y_min = m_box.bottom, y_max = m_box.top;
    for (int y = 0; y < scratch.height(); ++y) {
      m_starts.push_back(std::uint32_t(m_pieces.size()));
      const std::uint32_t* row = scratch.row(y);
      for (int x = 0; x < scratch.width(); ++x) {
        if (row[x] == 0) continue;
        const int x1 = x;
        const auto first_line = std::uint32_t(m_lines_of.size());
        for (; x < scratch.width() && row[x] != 0; ++x) m_lines_of.push_back(std::uint8_t(row[x] - 1));
        m_pieces.push_back({x1 + m_box.left, x - 1 + m_box.left, first_line});
        x_min = std::min<i64>(x_min, x1 + m_box.left), x_max = std::max<i64>(x_max, x - 1 + m_box.left);
        y_min = std::min<i64>(y_min, y + m_box.top), y_max = y + m_box.top;
      }
    }
    m_starts.push_back(std::uint32_t(m_pieces.size()));
    // From here on the box is that of the pixels drawn (empty when none):
    // its row r's pieces start at m_starts[r - top + m_skipped].
    m_skipped = y_min - m_box.top;
    m_box = Rect{int(x_min), int(y_min), int(x_max + 1), int(y_max + 1)};
    m_dx = dx, m_dy = dy, m_width = width, m_lines = lines;
  }

  // Draws the band with its first line starting at `from`, within the
  // writer's rows, each pixel through the op of its line. Every op
  // overwrites (its and_mask is 0): pixels are set, not read.
  void draw(SpanWriter& out, TPoint from, std::span<const RasterOp> ops) const {
    const i64 top = i64(from.y) + m_box.top, bottom = i64(from.y) + m_box.bottom - 1;
    const i64 left = i64(from.x) + m_box.left, right = i64(from.x) + m_box.right - 1;
    const i64 y_first = std::max(top, out.first_row()), y_last = std::min(bottom, out.last_row());
    if (m_box.empty() || y_first > y_last || right < 0 || left >= out.width()) return;
    // The pieces of rows r_first..r_last, clipped to columns x_min..x_max
    // (all relative to the first line's start).
    const i64 r_first = y_first - from.y, r_last = y_last - from.y;
    const i64 x_min = -i64(from.x), x_max = out.width() - 1 - from.x;
    const auto pieces = [&](auto&& visit) {
      const Piece* piece = m_pieces.data() + m_starts[std::size_t(r_first - m_box.top + m_skipped)];
      for (i64 r = r_first; r <= r_last; ++r)
        for (const Piece* end = m_pieces.data() + m_starts[std::size_t(r - m_box.top + m_skipped + 1)]; piece < end;
             ++piece)
          visit(r, *piece);
    };
    if (left >= 0 && right < out.width()) {  // no clipping
      pieces([&](i64 r, const Piece& p) {
        std::uint32_t* const row = out.row(r + from.y);
        const std::uint8_t* line = m_lines_of.data() + p.first_line;
        for (i64 x = p.x1; x <= p.x2; ++x) row[from.x + x] = ops[*line++].xor_mask;
      });
      if (y_first == top && y_last == bottom) {
        out.note_box(left, top, right, bottom);
        return;
      }
    }
    i64 x1 = x_max + 1, x2 = x_min - 1, r1 = r_last + 1, r2 = r_first - 1;  // what is drawn
    const bool clipped = left < 0 || right >= out.width();
    pieces([&](i64 r, const Piece& p) {
      const i64 a = std::max<i64>(p.x1, x_min), b = std::min<i64>(p.x2, x_max);
      if (a > b) return;
      x1 = std::min(x1, a), x2 = std::max(x2, b), r1 = std::min(r1, r), r2 = r;
      if (!clipped) return;  // drawn above
      std::uint32_t* const row = out.row(r + from.y);
      const std::uint8_t* line = m_lines_of.data() + p.first_line + (a - p.x1);
      for (i64 x = a; x <= b; ++x) row[from.x + x] = ops[*line++].xor_mask;
    });
    if (x1 <= x2) out.note_box(x1 + from.x, r1 + from.y, x2 + from.x, r2 + from.y);
  }

 private:
  struct Piece {
    std::int32_t x1, x2;       // both included
    std::uint32_t first_line;  // where the lines of its pixels start in m_lines_of
  };

  i64 m_dx = 0, m_dy = 0, m_width = 0, m_lines = 0;  // lines 0: nothing recorded
  // Relative to the first line's start: the lines' reach while recording,
  // then the box of the pixels drawn, below m_skipped empty rows.
  Rect m_box;
  i64 m_skipped = 0;
  std::vector<std::uint32_t> m_starts;   // row r's pieces: m_starts[r] to m_starts[r + 1]
  std::vector<Piece> m_pieces;
  std::vector<std::uint8_t> m_lines_of;  // the line of each covered pixel, row by row
};

// The shape of a band, from a few kept per thread; the one asked last first,
// as the clones of a copy come in a row. Null when there is no memory to
// record it: the band is then drawn line by line.
const BandShape* band_shape_of(i64 dx, i64 dy, i64 width, i64 lines) {
  constexpr int kKept = 8;
  thread_local BandShape kept[kKept];
  thread_local const BandShape* last = &kept[0];
  if (last->is(dx, dy, width, lines)) return last;
  const auto slot = std::size_t((u64(dx) * 0x9E3779B97F4A7C15ull ^ u64(dy) * 0xC2B2AE3D27D4EB4Full ^
                                 u64(width) * 31 ^ u64(lines)) >> 61);
  BandShape& s = kept[slot % kKept];
  if (!s.is(dx, dy, width, lines)) {
    try {
      s.record(dx, dy, width, lines);
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }
  last = &s;
  return &s;
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
    if (const BandShape* shape = band_shape_of(dx, dy, width, lines)) {
      shape->draw(out, from, ops);
      return;
    }
  }
  for (i64 i = 0; i < lines; ++i) {
    out.set_op(ops[std::size_t(i)]);
    line(out, {int(from.x + i), int(from.y + i)}, {int(to.x + i), int(to.y + i)}, width);
  }
}

}  // namespace korvel::detail
