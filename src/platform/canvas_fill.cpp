// FloodFill: span flood fill, 4-connected, without recursion.
//
// The area is that of the picture before the call. A surface fill paints as
// it goes: every pixel of its area is the one colour C, the raster op turns
// each into the same op(C), and that differs from C (a fill that would change
// nothing returns at once), so a painted pixel never qualifies again and the
// area found is the one of the unmodified picture. Each pixel is read and
// written once.
//
// A border fill's pixels are of any colour, and the op may leave some of
// them unchanged, so it finds the area first and paints afterwards: a taken
// pixel is marked in its top byte, which is 0 everywhere between calls, and
// painting through any raster op clears it again.
//
// Each span remembers the row it was reached from and that row's span: the
// row beyond it is searched in full, the row it came from only where it sticks
// out past its parent (the rest of that row is the parent, already taken).
//
//   parent   .....#########.....        row y - dir
//   span     ..###############..        row y: look at y - dir only under
//                                        the two stubs that stick out
// Memory is one entry per span still to look around (and, for a border
// fill, one per span found, to paint it later).
#include <algorithm>
#include <vector>

#include "platform/canvas_internal.h"

namespace korvel {

namespace {

constexpr std::uint32_t kTaken = 0x01000000;
constexpr int kBlock = 16;  // pixels tested at once, branch-free (vectorised)
constexpr int kHead = 8;    // pixels tested one by one first: most runs of a detailed picture are short

struct FillSpan {
  int y, x1, x2;  // both ends included
};

struct Pending {
  FillSpan span;
  int dir;                   // +1: reached from the row above, -1: from below
  int parent_x1, parent_x2;  // the span it was reached from
};

// Surface: pixels equal to C, painted op(C) on the spot.
class SurfaceRule {
 public:
  SurfaceRule(std::uint32_t colour, std::uint32_t painted) : m_colour(colour), m_painted(painted) {}
  bool qualifies(std::uint32_t p) const { return p == m_colour; }
  // Paints from `from` to the end of the run; returns the first x after it.
  int take_right(std::uint32_t* row, int from, int end) const {
    int x = from;
    for (const int head = std::min(end, from + kHead); x < head; ++x) {
      if (row[x] != m_colour) return x;
      row[x] = m_painted;
    }
    for (; x + kBlock <= end; x += kBlock) {
      std::uint32_t differ = 0;
      for (int i = 0; i < kBlock; ++i) differ |= row[x + i] ^ m_colour;
      if (differ != 0) break;
      for (int i = 0; i < kBlock; ++i) row[x + i] = m_painted;
    }
    for (; x < end && row[x] == m_colour; ++x) row[x] = m_painted;
    return x;
  }
  void take_left(std::uint32_t* row, int x1, int x) const {
    for (int i = x1; i < x; ++i) row[i] = m_painted;
  }

 private:
  std::uint32_t m_colour, m_painted;
};

// Border: untaken pixels different from C, marked taken.
class BorderRule {
 public:
  explicit BorderRule(std::uint32_t colour) : m_colour(colour) {}
  bool qualifies(std::uint32_t p) const { return (p < kTaken) & (p != m_colour); }
  int take_right(std::uint32_t* row, int from, int end) const {
    int x = from;
    for (const int head = std::min(end, from + kHead); x < head; ++x) {
      if (!qualifies(row[x])) return x;
      row[x] |= kTaken;
    }
    for (; x + kBlock <= end; x += kBlock) {
      std::uint32_t high = 0, equal = 0;
      for (int i = 0; i < kBlock; ++i) {
        high |= row[x + i];
        equal |= row[x + i] == m_colour ? 1u : 0u;
      }
      if (high >= kTaken || equal != 0) break;
      for (int i = 0; i < kBlock; ++i) row[x + i] |= kTaken;
    }
    for (; x < end && qualifies(row[x]); ++x) row[x] |= kTaken;
    return x;
  }
  void take_left(std::uint32_t* row, int x1, int x) const {
    for (int i = x1; i < x; ++i) row[i] |= kTaken;
  }

 private:
  std::uint32_t m_colour;
};

template <class Rule>
class AreaSearch {
 public:
  AreaSearch(Bitmap& bitmap, Rule rule) : m_bitmap(bitmap), m_rule(rule) {}

  // Takes every span of the area around (x, y), which qualifies; calls
  // found(span) for each.
  template <class Found>
  void run(int x, int y, Found found) {
    const FillSpan first = take(x, y);
    found(first);
    // No parent: both neighbouring rows are searched in full.
    m_pending.push_back({first, 1, first.x2 + 1, first.x2});
    while (!m_pending.empty()) {
      const Pending p = m_pending.back();
      m_pending.pop_back();
      const FillSpan& s = p.span;
      search_row(s.y + p.dir, s.x1, s.x2, p.dir, s, found);
      search_row(s.y - p.dir, s.x1, std::min(s.x2, p.parent_x1 - 1), -p.dir, s, found);
      search_row(s.y - p.dir, std::max(s.x1, p.parent_x2 + 1), s.x2, -p.dir, s, found);
    }
  }

 private:
  // Takes the whole run of qualifying pixels through (x, y).
  FillSpan take(int x, int y) {
    std::uint32_t* row = m_bitmap.row(y);
    int x1 = x;
    while (x1 > 0 && m_rule.qualifies(row[x1 - 1])) --x1;
    const int x2 = m_rule.take_right(row, x, m_bitmap.width()) - 1;
    m_rule.take_left(row, x1, x);
    return {y, x1, x2};
  }

  // Takes the runs of row y that touch columns x1..x2 of `parent`'s row.
  // Inlined: called three times a span, often for a row of a few pixels.
  template <class Found>
  [[gnu::always_inline]] void search_row(int y, int x1, int x2, int dir, const FillSpan& parent, Found& found) {
    if (y < 0 || y >= m_bitmap.height()) return;
    const std::uint32_t* row = m_bitmap.row(y);
    for (int x = x1; x <= x2; ++x) {
      if (!m_rule.qualifies(row[x])) continue;
      const FillSpan s = take(x, y);
      found(s);
      m_pending.push_back({s, dir, parent.x1, parent.x2});
      x = s.x2 + 1;  // s.x2 + 1 does not qualify
    }
  }

  Bitmap& m_bitmap;
  Rule m_rule;
  std::vector<Pending> m_pending;
};

}  // namespace

void Canvas::FloodFill(int x, int y, TColor colour, TFillStyle style) {
  Write write(*this);
  Bitmap& pixels = write.bitmap();
  if (!pixels.contains(x, y) || Brush.Style != bsSolid) return;
  // A colour with a top byte set equals no pixel.
  const std::uint32_t pixel = (colour >> 24) != 0 ? 0xFFFFFFFFu : pixel_of(colour);
  const std::uint32_t start = pixels.row(y)[x];
  if ((start == pixel) != (style == fsSurface)) return;
  const RasterOp op = raster_op(Pen.Mode, pixel_of(Brush.Color));
  if (style == fsSurface) {
    // When the op maps the colour onto itself the fill changes nothing.
    // (Painting a spiral repaints the same area hundreds of times.)
    if (op.apply(pixel) == pixel) return;
    int x1 = x, x2 = x, y1 = y, y2 = y;
    AreaSearch(pixels, SurfaceRule(pixel, op.apply(pixel))).run(x, y, [&](const FillSpan& s) {
      x1 = std::min(x1, s.x1), x2 = std::max(x2, s.x2);
      y1 = std::min(y1, s.y), y2 = std::max(y2, s.y);
    });
    write.touched() = Rect{x1, y1, x2 + 1, y2 + 1};
  } else {
    std::vector<FillSpan> area;
    AreaSearch(pixels, BorderRule(pixel)).run(x, y, [&](const FillSpan& s) {
      area.push_back(s);
    });
    detail::SpanWriter out(pixels, write.touched(), op);
    for (const FillSpan& s : area) out.span(s.y, s.x1, s.x2);
  }
}

}  // namespace korvel
