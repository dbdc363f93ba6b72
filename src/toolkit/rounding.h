// Rounding of reals to integers: to the nearest integer, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), whatever the floating-point unit's rounding mode.
#pragma once

namespace wobbert {

// value must lie within the range of int.
inline int RoundHalfEven(double value) {
  int whole = static_cast<int>(value);  // toward zero; one step down below zero gives the floor
  if (value < whole) --whole;
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && (whole & 1) != 0)) ++whole;
  return whole;
}

}  // namespace wobbert
