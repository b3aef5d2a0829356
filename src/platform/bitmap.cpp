#include "platform/bitmap.h"

#include <algorithm>

namespace korvel {

Bitmap::Bitmap(int width, int height, TColor fill)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_pixels(std::size_t(m_width) * std::size_t(m_height)) {
  // Black is what the memory holds already.
  if (const std::uint32_t p = pixel_of(fill)) std::fill(m_pixels.begin(), m_pixels.end(), p);
}

TColor Bitmap::colour_at(int x, int y) const {
  return contains(x, y) ? colour_of(row(y)[x]) : clInvalid;
}

void Bitmap::set_colour(int x, int y, TColor c) {
  if (contains(x, y)) row(y)[x] = pixel_of(c);
}

}  // namespace korvel
