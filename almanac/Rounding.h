#pragma once
// Rounding to the nearest whole number with halves going to the even
// neighbour, independent of the floating-point environment.

#include <cmath>

namespace orvanta {

inline double RoundHalfEven(double value) {
  const double nearest = std::round(value);  // halves away from zero
  if (std::fabs(value - std::trunc(value)) == 0.5 && std::fmod(nearest, 2.0) != 0.0) {
    return nearest - std::copysign(1.0, value);
  }
  return nearest;
}

}  // namespace orvanta
