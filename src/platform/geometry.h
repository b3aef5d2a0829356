#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace korvel {

struct TPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Left and top included, right and bottom excluded.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;

  bool empty() const { return right <= left || bottom <= top; }
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  // The smallest rectangle holding both; an empty side is ignored.
  void unite(const Rect& o) {
    if (o.empty()) return;
    if (empty()) { *this = o; return; }
    left = std::min(left, o.left);
    top = std::min(top, o.top);
    right = std::max(right, o.right);
    bottom = std::max(bottom, o.bottom);
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Whether v lies in the 32-bit signed range, where the canvas takes
// coordinates; false for NaN.
template <class T>
constexpr bool fits_in_int32(T v) {
  return v >= T(std::numeric_limits<std::int32_t>::min()) && v <= T(std::numeric_limits<std::int32_t>::max());
}

// v rounded to nearest, halves to even, when the result fits in 32 bits;
// nothing for an infinity, a NaN or a value beyond the range. Most values
// are exact doubles, which round much faster than long doubles and to the
// same integer.
inline std::optional<std::int32_t> round_to_int32(long double v) {
  const double d = static_cast<double>(v);
  const long double n = static_cast<long double>(d) == v ? static_cast<long double>(std::nearbyint(d))
                                                          : std::nearbyintl(v);
  if (!fits_in_int32(n)) return std::nullopt;
  return std::int32_t(n);
}

// p moved by (dx, dy), when the result still fits in 32 bits.
inline std::optional<TPoint> offset_point(TPoint p, std::int64_t dx, std::int64_t dy) {
  const std::int64_t x = std::int64_t(p.x) + dx, y = std::int64_t(p.y) + dy;
  if (!fits_in_int32(x) || !fits_in_int32(y)) return std::nullopt;
  return TPoint{std::int32_t(x), std::int32_t(y)};
}

}  // namespace korvel
