// Rounding of reals to integers: to the nearest integer, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), whatever the floating-point unit's rounding mode.
#pragma once

#include <cmath>

namespace wobbert {

inline int RoundHalfEven(double value) {
  const double whole = std::floor(value);
  const double fraction = value - whole;
  int result = static_cast<int>(whole);
  if (fraction > 0.5 || (fraction == 0.5 && (result & 1) != 0)) ++result;
  return result;
}

}  // namespace wobbert
