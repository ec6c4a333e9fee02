// The grid walk's 4-byte arithmetic; see grid_walk.h.
#include "chart/grid_walk.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace zorikan::grid_walk {
namespace {

constexpr int kSignificandBits = 24;  // of a 4-byte real, the leading one included

bool positive_normal(float v) {
  return std::isnormal(v) && v > 0;
}

}  // namespace

int64_t order_key(float v) {
  const auto bits = std::bit_cast<uint32_t>(v);
  const int64_t magnitude = bits & 0x7FFFFFFFu;
  return (bits >> 31) != 0 ? -magnitude : magnitude;
}

float from_order_key(int64_t key) {
  const auto magnitude = static_cast<uint32_t>(key < 0 ? -key : key);
  return std::bit_cast<float>(key < 0 ? magnitude | 0x80000000u : magnitude);
}

void advance(float& v, float step, int64_t& additions, float target) {
  float before = v;  // the value before the last addition, and that addition's increment
  double increment = -1;
  while (additions > 0 && v < target) {
    const float next = v + step;
    const double next_increment = double{next} - double{v};
    --additions;
    const bool steady = next_increment == increment && positive_normal(before) && positive_normal(next) &&
                        std::ilogb(before) == std::ilogb(next);
    before = v;
    v = next;
    increment = next_increment;
    if (!steady) continue;
    if (increment == 0) {  // the step is lost in the rounding: v stays where it is
      additions = 0;
      return;
    }
    // `unit` is the spacing of the binade's values and `top` its largest. A value up to `top` comes from
    // an exact sum within half a unit of it, below the binade's end: every such addition rounds on the
    // same spacing and gives `increment` again.
    const int exponent = std::ilogb(v);
    const double unit = std::ldexp(1.0, exponent - (kSignificandBits - 1));
    const double top = std::ldexp(1.0, exponent + 1) - unit;
    const auto units = [unit](double d) { return static_cast<int64_t>(d / unit); };  // exact: d < 2^24 units
    const int64_t per_addition = units(increment);
    int64_t jump = (units(top) - units(v)) / per_addition;
    if (target <= top) jump = std::min(jump, (units(target) - units(v) + per_addition - 1) / per_addition);
    jump = std::min(jump, additions);
    if (jump <= 0) continue;
    const double reached = double{v} + static_cast<double>(jump) * increment;
    before = static_cast<float>(reached - increment);
    v = static_cast<float>(reached);
    additions -= jump;
  }
}

}  // namespace zorikan::grid_walk
