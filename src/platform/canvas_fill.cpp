// FloodFill: span flood fill, 4-connected, without recursion.
//
// The area is found first and painted afterwards, so the raster mode only ever
// sees the picture as it was. While searching, a taken pixel is marked in its
// top byte, which is 0 everywhere between calls; painting through any raster
// op clears it again. Memory is one entry per span found (to paint it later)
// and one per span still to look around.
//
// Each span remembers the row it was reached from and that row's span: the
// row beyond it is searched in full, the row it came from only where it sticks
// out past its parent (the rest of that row is the parent, already taken).
//
//   parent   .....#########.....        row y - dir
//   span     ..###############..        row y: look at y - dir only under
//                                        the two stubs that stick out
#include <vector>

#include "platform/canvas_internal.h"

namespace korvel {

namespace {

constexpr std::uint32_t kTaken = 0x01000000;

struct FillSpan {
  int y, x1, x2;  // both ends included
};

struct Pending {
  FillSpan span;
  int dir;                   // +1: reached from the row above, -1: from below
  int parent_x1, parent_x2;  // the span it was reached from
};

class AreaSearch {
 public:
  AreaSearch(Bitmap& bitmap, std::uint32_t colour, bool inside_is_colour)
      : m_bitmap(bitmap), m_colour(colour), m_inside_is_colour(inside_is_colour) {}

  // Untaken, and equal to the colour (surface) or different from it (border).
  bool qualifies(std::uint32_t p) const {
    return (p < kTaken) & ((p == m_colour) == m_inside_is_colour);
  }

  // Every span of the area around (x, y), which qualifies.
  const std::vector<FillSpan>& run(int x, int y) {
    const FillSpan first = take(x, y);
    // No parent: both neighbouring rows are searched in full.
    m_pending.push_back({first, 1, first.x2 + 1, first.x2});
    while (!m_pending.empty()) {
      const Pending p = m_pending.back();
      m_pending.pop_back();
      const FillSpan& s = p.span;
      search_row(s.y + p.dir, s.x1, s.x2, p.dir, s);
      search_row(s.y - p.dir, s.x1, std::min(s.x2, p.parent_x1 - 1), -p.dir, s);
      search_row(s.y - p.dir, std::max(s.x1, p.parent_x2 + 1), s.x2, -p.dir, s);
    }
    return m_found;
  }

 private:
  // Takes the whole run of qualifying pixels through (x, y).
  FillSpan take(int x, int y) {
    std::uint32_t* row = m_bitmap.row(y);
    int x1 = x, x2 = x;
    while (x1 > 0 && qualifies(row[x1 - 1])) --x1;
    x2 = qualifying_end(row, x2 + 1, m_bitmap.width()) - 1;
    for (int i = x1; i <= x2; ++i) row[i] |= kTaken;
    m_found.push_back({y, x1, x2});
    return m_found.back();
  }

  // Takes the runs of row y that touch columns x1..x2 of `parent`'s row.
  void search_row(int y, int x1, int x2, int dir, const FillSpan& parent) {
    if (y < 0 || y >= m_bitmap.height()) return;
    const std::uint32_t* row = m_bitmap.row(y);
    for (int x = x1; x <= x2; ++x) {
      if (!qualifies(row[x])) continue;
      const FillSpan s = take(x, y);
      m_pending.push_back({s, dir, parent.x1, parent.x2});
      x = s.x2 + 1;  // s.x2 + 1 does not qualify
    }
  }

  // The first x >= from where the row stops qualifying (or `end`). Whole
  // blocks are tested at once, branch-free so that the compiler can use
  // vector instructions: in a large area this is the inner loop.
  int qualifying_end(const std::uint32_t* row, int from, int end) const {
    constexpr int kBlock = 16;
    int x = from;
    for (; x + kBlock <= end; x += kBlock) {
      std::uint32_t differ = 0, high = 0, equal = 0;
      for (int i = 0; i < kBlock; ++i) {
        differ |= row[x + i] ^ m_colour;
        high |= row[x + i];
        equal |= row[x + i] == m_colour ? 1u : 0u;
      }
      if (m_inside_is_colour ? differ != 0 : (high >= kTaken || equal != 0)) break;
    }
    while (x < end && qualifies(row[x])) ++x;
    return x;
  }

  Bitmap& m_bitmap;
  std::uint32_t m_colour;
  bool m_inside_is_colour;
  std::vector<FillSpan> m_found;
  std::vector<Pending> m_pending;
};

}  // namespace

void Canvas::FloodFill(int x, int y, TColor colour, TFillStyle style) {
  if (!m_bitmap.contains(x, y) || Brush.Style != bsSolid) return;
  // A colour with a top byte set equals no pixel.
  const std::uint32_t pixel = (colour >> 24) != 0 ? 0xFFFFFFFFu : pixel_of(colour);
  AreaSearch search(m_bitmap, pixel, style == fsSurface);
  if (!search.qualifies(m_bitmap.row(y)[x])) return;
  const RasterOp op = raster_op(Pen.Mode, pixel_of(Brush.Color));
  // Every pixel of a surface area is `colour`: when the raster op maps that
  // colour onto itself the fill would change nothing, so skip the search.
  // (Painting a spiral repaints the same area hundreds of times.)
  if (style == fsSurface && op.apply(pixel) == pixel) return;
  const std::vector<FillSpan>& area = search.run(x, y);
  detail::SpanWriter out(m_bitmap, m_changed, op);
  for (const FillSpan& s : area) out.span(s.y, s.x1, s.x2);
}

}  // namespace korvel
