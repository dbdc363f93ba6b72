// Rectangles (left, top, right, bottom) with right and bottom exclusive.
#pragma once

#include <algorithm>

namespace wobbert {

struct Rectangle {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  constexpr bool operator==(const Rectangle&) const = default;
};

constexpr Rectangle Intersection(const Rectangle& a, const Rectangle& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

}  // namespace wobbert
