// The values the five parameters may take: each fits both its 7 columns in zorikan.vvd and its box in
// the parameter dialog, and the distance, the diagonal and the resolution are positive, as only
// positive ones make sense. Outside its range a value would be saved as asterisks, or shown in its box
// as asterisks that no longer read as a number; the dialog refuses it and the file's reader skips it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "services/session_params.h"

namespace zorikan {

struct ParameterRange {
  double lowest;
  double highest;
};

// Reals count as they are saved, rounded to 3 decimals.
inline constexpr ParameterRange kDistanceRange{0.001, kLongestDistanceCm};  // "1000.0" in F6.1
inline constexpr ParameterRange kDiagonalRange{0.001, 999.99};  // F7.3 in the file, "999.99" in F6.2
inline constexpr ParameterRange kResolutionRange{1, 9999};      // I7 in the file, I4 in the box
inline constexpr ParameterRange kVolumeRange{-999, 9999};       // I7 in the file, I4 in the box

// False for NaN and the infinities.
bool in_range(const ParameterRange& range, float value);
bool in_range(const ParameterRange& range, int32_t value);

// What the user is told of a value outside its range, UTF-8: "<label>: допустимы числа от 1 до 9999".
std::string range_message(std::string_view label, const ParameterRange& range);

}  // namespace zorikan
