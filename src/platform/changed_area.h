#pragma once
// What changed on the canvas since the view last looked: the bounding
// rectangle, and a few rectangles that together cover every changed pixel.
// A move of a rosette changes N small places around the centre; their
// bounding box is mostly untouched picture, and repainting only the places
// costs a tenth as much. Past kMostRects places the bounds alone are kept:
// a stroke that busy covers its box anyway.
#include <array>
#include <cstddef>
#include <span>

#include "platform/geometry.h"

namespace korvel {

class ChangedArea {
 public:
  static constexpr std::size_t kMostRects = 64;

  // Every pixel of r changed.
  void add(const Rect& r);
  // Every pixel changed lies within `bounds` and, there, within one of
  // `boxes` (which may reach beyond it).
  void add_within(const Rect& bounds, std::span<const Rect> boxes);

  bool empty() const { return m_bounds.empty(); }
  const Rect& bounds() const { return m_bounds; }
  // Rectangles within the bounds covering every changed pixel; they may
  // overlap. The bounds alone once too many were added.
  std::span<const Rect> rects() const {
    if (m_too_many) return {&m_bounds, 1};
    return {m_rects.data(), m_count};
  }

 private:
  // Adds a rectangle known to lie within the bounds.
  void place(const Rect& r);

  Rect m_bounds;
  std::array<Rect, kMostRects> m_rects{};
  std::size_t m_count = 0;
  bool m_too_many = false;
};

}  // namespace korvel
