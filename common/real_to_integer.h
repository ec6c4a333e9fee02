// Real-to-integer conversions of the program: `nearest_int` (halves away from zero) where the
// program rounds, `truncate_int` (towards zero) everywhere else.
//
// Both are defined for every input, unlike a plain cast: NaN gives 0, and values beyond the int32_t
// range give INT32_MIN or INT32_MAX (saturation). A float argument converts to double exactly, so
// one double version serves both precisions.
#pragma once

#include <cmath>
#include <cstdint>

namespace zorikan {

// The whole number nearest to x; x.5 goes away from zero (2.5 -> 3, -2.5 -> -3).
inline int32_t nearest_int(double x) {
  if (std::isnan(x)) return 0;
  const double rounded = std::round(x);  // halves away from zero, exact for every double
  if (rounded >= 2147483647.0) return INT32_MAX;
  if (rounded <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(rounded);
}

// x without its fraction (2.9 -> 2, -2.9 -> -2).
inline int32_t truncate_int(double x) {
  if (std::isnan(x)) return 0;
  const double whole = std::trunc(x);
  if (whole >= 2147483647.0) return INT32_MAX;
  if (whole <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(whole);
}

}  // namespace zorikan
