#include "platform/bitmap.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <new>

namespace korvel {

namespace detail {

void* allocate_zeroed(std::size_t count, std::size_t size) {
  if (void* p = std::calloc(count, size)) return p;
  throw std::bad_alloc();
}

}  // namespace detail

namespace {

// Pages not yet used are mapped to the system's shared zero page in one
// call, rather than one fault at a time when the picture is first shown.
// Only a hint: nothing where the system does not take it.
void prepare_for_reading([[maybe_unused]] const void* p, [[maybe_unused]] std::size_t bytes) {
#ifdef MADV_POPULATE_READ
  if (bytes < (std::size_t(1) << 20)) return;
  constexpr std::uintptr_t kPage = 4096;
  const auto address = reinterpret_cast<std::uintptr_t>(p);
  const std::uintptr_t start = address & ~(kPage - 1);
  madvise(reinterpret_cast<void*>(start), bytes + (address - start), MADV_POPULATE_READ);
#endif
}

}  // namespace

Bitmap::Bitmap(int width, int height, TColor fill)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_pixels(std::size_t(m_width) * std::size_t(m_height)) {
  // Black is what the memory holds already.
  if (const std::uint32_t p = pixel_of(fill))
    std::fill(m_pixels.begin(), m_pixels.end(), p);
  else
    prepare_for_reading(m_pixels.data(), m_pixels.size() * sizeof(std::uint32_t));
}

TColor Bitmap::colour_at(int x, int y) const {
  return contains(x, y) ? colour_of(row(y)[x]) : clInvalid;
}

void Bitmap::set_colour(int x, int y, TColor c) {
  if (contains(x, y)) row(y)[x] = pixel_of(c);
}

}  // namespace korvel
