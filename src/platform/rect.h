#pragma once

#include <algorithm>
#include <cstdint>

namespace tessel {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// A screen rectangle with the layout of the system's RECT: signed 32-bit edges,
// right and bottom exclusive as far as the system is concerned. The frame logic
// states its own comparisons; these helpers only save repeated arithmetic.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  constexpr std::int32_t Width() const { return right - left; }
  constexpr std::int32_t Height() const { return bottom - top; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(const Point& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  // Widened so that edges near the limits of the range cannot overflow.
  constexpr Point Center() const {
    return {static_cast<std::int32_t>((std::int64_t{left} + right) / 2),
            static_cast<std::int32_t>((std::int64_t{top} + bottom) / 2)};
  }

  constexpr Rect Offset(std::int32_t dx, std::int32_t dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }

  // The common part, or an all-zero rectangle when there is none (as IntersectRect).
  constexpr Rect Intersect(const Rect& other) const {
    const Rect r{std::max(left, other.left), std::max(top, other.top),
                 std::min(right, other.right), std::min(bottom, other.bottom)};
    return r.IsEmpty() ? Rect{} : r;
  }

  friend constexpr bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
  friend constexpr bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
};

}  // namespace tessel
