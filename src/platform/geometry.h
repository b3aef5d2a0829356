#pragma once
#include <algorithm>
#include <cstdint>

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

}  // namespace korvel
