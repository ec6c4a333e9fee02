// Conversion of a real screen position to the Display layer's 2-byte coordinate.
#pragma once

#include <algorithm>
#include <cstdint>

#include "common/real_to_integer.h"

namespace zorikan {

// nearest_int(x) (halves away from zero), held within -32768 ... 32767: a figure larger than the
// coordinate range is drawn clipped at its edges, and NaN gives 0, never an undefined conversion.
inline int16_t to_coordinate(double x) {
  return static_cast<int16_t>(std::clamp<int32_t>(nearest_int(x), INT16_MIN, INT16_MAX));
}

// A whole number of pixels, held within the same range.
inline int16_t to_coordinate(int64_t pixels) {
  return static_cast<int16_t>(std::clamp<int64_t>(pixels, INT16_MIN, INT16_MAX));
}

}  // namespace zorikan
