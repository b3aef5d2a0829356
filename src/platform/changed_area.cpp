#include "platform/changed_area.h"

#include <algorithm>

namespace korvel {

namespace {

Rect intersection(const Rect& a, const Rect& b) {
  return Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

bool contains(const Rect& outer, const Rect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

}  // namespace

void ChangedArea::add(const Rect& r) {
  if (r.empty()) return;
  m_bounds.unite(r);
  place(r);
}

void ChangedArea::add_within(const Rect& bounds, std::span<const Rect> boxes) {
  if (bounds.empty()) return;
  m_bounds.unite(bounds);
  for (const Rect& box : boxes) {
    if (m_too_many) return;
    const Rect r = intersection(box, bounds);
    if (!r.empty()) place(r);
  }
}

void ChangedArea::place(const Rect& r) {
  if (m_too_many) return;
  // The segments of a stroke meet end to end, and a shadow's lines lie side
  // by side: a place that overlaps one already kept joins it.
  for (std::size_t i = 0; i < m_count; ++i) {
    Rect& kept = m_rects[i];
    if (contains(kept, r)) return;
    if (!intersection(kept, r).empty()) {
      kept.unite(r);
      return;
    }
  }
  if (m_count == kMostRects) {
    m_too_many = true;
    return;
  }
  m_rects[m_count++] = r;
}

}  // namespace korvel
