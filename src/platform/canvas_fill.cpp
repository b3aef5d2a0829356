// FloodFill: span flood fill, 4-connected, without recursion.
//
// The area is found first and painted afterwards, so the raster mode only ever
// sees the picture as it was. While searching, a taken pixel is marked in its
// top byte, which is 0 everywhere between calls; painting through any raster
// op clears it again. Memory is one entry per span found (to paint it later)
// and one per span still to look around.
#include <vector>

#include "platform/canvas_internal.h"

namespace korvel {

using detail::i64;

namespace {

constexpr std::uint32_t kTaken = 0x01000000;

struct FillSpan {
  int y, x1, x2;  // both ends included
};

class AreaSearch {
 public:
  AreaSearch(Bitmap& bitmap, std::uint32_t colour, bool inside_is_colour)
      : m_bitmap(bitmap), m_colour(colour), m_inside_is_colour(inside_is_colour) {}

  bool qualifies(std::uint32_t p) const {
    return (p & kTaken) == 0 && (p == m_colour) == m_inside_is_colour;
  }

  // Every span of the area around (x, y), which qualifies.
  const std::vector<FillSpan>& run(int x, int y) {
    take(x, y);
    while (!m_pending.empty()) {
      const FillSpan s = m_found[m_pending.back()];
      m_pending.pop_back();
      if (s.y > 0) look_around(s, s.y - 1);
      if (s.y + 1 < m_bitmap.height()) look_around(s, s.y + 1);
    }
    return m_found;
  }

 private:
  // Takes the whole run of qualifying pixels through (x, y); returns its end.
  int take(int x, int y) {
    std::uint32_t* row = m_bitmap.row(y);
    int x1 = x, x2 = x;
    while (x1 > 0 && qualifies(row[x1 - 1])) --x1;
    while (x2 + 1 < m_bitmap.width() && qualifies(row[x2 + 1])) ++x2;
    for (int i = x1; i <= x2; ++i) row[i] |= kTaken;
    m_pending.push_back(m_found.size());
    m_found.push_back({y, x1, x2});
    return x2;
  }

  // Takes the runs of row y that touch span s from above or below.
  void look_around(const FillSpan& s, int y) {
    const std::uint32_t* row = m_bitmap.row(y);
    for (int x = s.x1; x <= s.x2; ++x)
      if (qualifies(row[x])) x = take(x, y);
  }

  Bitmap& m_bitmap;
  std::uint32_t m_colour;
  bool m_inside_is_colour;
  std::vector<FillSpan> m_found;
  std::vector<std::size_t> m_pending;
};

}  // namespace

void Canvas::FloodFill(int x, int y, TColor colour, TFillStyle style) {
  if (!m_bitmap.contains(x, y) || Brush.Style != bsSolid) return;
  // A colour with a top byte set equals no pixel.
  const std::uint32_t pixel = (colour >> 24) != 0 ? 0xFFFFFFFFu : pixel_of(colour);
  AreaSearch search(m_bitmap, pixel, style == fsSurface);
  if (!search.qualifies(m_bitmap.row(y)[x])) return;
  const std::vector<FillSpan>& area = search.run(x, y);
  detail::SpanWriter out(m_bitmap, m_changed, raster_op(Pen.Mode, pixel_of(Brush.Color)));
  for (const FillSpan& s : area) out.span(s.y, s.x1, s.x2);
}

}  // namespace korvel
