// Range tests of the parameters; see parameter_ranges.h.
#include "session/parameter_ranges.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace zorikan {
namespace {

std::string number_text(double value) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%g", value);
  return text.data();
}

}  // namespace

bool in_range(const ParameterRange& range, float value) {
  if (!std::isfinite(value)) return false;
  const double saved = std::round(static_cast<double>(value) * 1000) / 1000;
  return saved >= range.lowest && saved <= range.highest;
}

bool in_range(const ParameterRange& range, int32_t value) {
  return value >= range.lowest && value <= range.highest;
}

std::string range_message(std::string_view label, const ParameterRange& range) {
  return std::string(label) + ": допустимы числа от " + number_text(range.lowest) + " до " +
         number_text(range.highest);
}

}  // namespace zorikan
