// Range tests of the parameters; see parameter_ranges.h.
#include "session/parameter_ranges.h"

#include <cmath>

namespace zorikan {

bool in_range(const ParameterRange& range, float value) {
  if (!std::isfinite(value)) return false;
  const double saved = std::round(static_cast<double>(value) * 1000) / 1000;
  return saved >= range.lowest && saved <= range.highest;
}

bool in_range(const ParameterRange& range, int32_t value) {
  return value >= range.lowest && value <= range.highest;
}

}  // namespace zorikan
