// The ideal gap ring worked out here, for tests that measure drawn rings back: its size at a set-up, its
// black area, and the gap width that a given loss of darkness stands for; and the luminance of a drawn
// sRGB value. Lengths in pixels.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace zorikan::testing {

// The linear luminance of an 8-bit sRGB value.
inline double srgb_luminance(uint8_t value) {
  const double v = value / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

struct IdealRing {
  double outer;  // radius
  double inner;  // radius
  double gap;    // width

  // Reference millimetres (acuity 0.1 at 500 cm) to pixels for `acuity` at the set-up.
  static IdealRing at(double acuity, double distance_cm, double diagonal_inch, int nx, int ny) {
    const double pitch = diagonal_inch * 25.4 / std::hypot(double(nx), double(ny));
    const double scale = 0.1 / acuity * (distance_cm / 500) / pitch;
    return {72.5 / 2 * scale, 43.5 / 2 * scale, 14.5 * scale};
  }

  // The ring's area within a strip of `width` from its centre outwards, by the integral of the chord
  // lengths across the strip.
  double in_strip(double width) const {
    const double a = std::min(width / 2, inner);
    auto half = [a](double r) { return a * std::sqrt(r * r - a * a) + r * r * std::asin(a / r); };
    return half(outer) - half(inner);
  }
  double black_area() const { return std::numbers::pi * (outer * outer - inner * inner) - in_strip(gap); }

  // The gap width whose strip holds `missing` of the ring's area.
  double gap_for(double missing) const {
    double low = 0, high = 2 * inner;
    for (int step = 0; step < 60; ++step)
      (in_strip((low + high) / 2) < missing ? low : high) = (low + high) / 2;
    return low;
  }
};

}  // namespace zorikan::testing
