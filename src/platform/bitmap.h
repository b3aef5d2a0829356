#pragma once
// A 32-bit picture in memory: rows top to bottom, pixels 0x00RRGGBB.
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

#include "platform/colour.h"

namespace korvel {

namespace detail {

// Memory that reads as zero without being written (calloc): a new black
// picture costs no pass over its pixels.
template <class T>
struct ZeroedAllocator {
  using value_type = T;
  ZeroedAllocator() = default;
  template <class U>
  ZeroedAllocator(const ZeroedAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    if (void* p = std::calloc(n, sizeof(T))) return static_cast<T*>(p);
    throw std::bad_alloc();
  }
  void deallocate(T* p, std::size_t) noexcept { std::free(p); }
  // A value-initialised element keeps calloc's zero. Right only for fresh
  // memory: the pixel vector is made at its size and never resized.
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    if constexpr (sizeof...(Args) > 0) ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
  friend bool operator==(ZeroedAllocator, ZeroedAllocator) noexcept { return true; }
};

}  // namespace detail

class Bitmap {
 public:
  Bitmap() = default;
  // Negative sizes count as 0. Every pixel starts as `fill` (a TColor).
  Bitmap(int width, int height, TColor fill = clBlack);

  int width() const { return m_width; }
  int height() const { return m_height; }
  bool empty() const { return m_width == 0 || m_height == 0; }

  // Raw buffer, width() * height() pixels in 0x00RRGGBB.
  std::uint32_t* data() { return m_pixels.data(); }
  const std::uint32_t* data() const { return m_pixels.data(); }
  std::uint32_t* row(int y) { return m_pixels.data() + std::size_t(y) * std::size_t(m_width); }
  const std::uint32_t* row(int y) const { return m_pixels.data() + std::size_t(y) * std::size_t(m_width); }

  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
  // As a TColor; clInvalid outside.
  TColor colour_at(int x, int y) const;
  // Plain copy of `c`; nothing outside.
  void set_colour(int x, int y, TColor c);

  friend bool operator==(const Bitmap&, const Bitmap&) = default;

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<std::uint32_t, detail::ZeroedAllocator<std::uint32_t>> m_pixels;
};

}  // namespace korvel
