// The ideal gap ring worked out here, for tests that measure drawn rings back: its size at a set-up, its
// black area, the gap width that a given loss of darkness stands for, and the part of a pixel it covers;
// and the luminance of a drawn sRGB value, and the value whose luminance is nearest. Lengths in pixels.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <vector>

namespace zorikan::testing {

// The linear luminance of an 8-bit sRGB value.
inline double srgb_luminance(uint8_t value) {
  const double v = value / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// Whether `value` is the 8-bit sRGB value whose luminance is nearest to `linear`; where two values lie
// within 1e-9 of equally near, either.
inline bool nearest_srgb(uint8_t value, double linear) {
  static const std::array<double, 256> luminances = [] {
    std::array<double, 256> table{};
    for (int v = 0; v < 256; ++v) table[static_cast<size_t>(v)] = srgb_luminance(static_cast<uint8_t>(v));
    return table;
  }();
  const double miss = std::abs(luminances[value] - linear);
  return std::none_of(luminances.begin(), luminances.end(),
                      [&](double other) { return std::abs(other - linear) < miss - 1e-9; });
}

// Where a column x of the plane crosses a figure: the rows low ... high (low > high when it misses it).
struct Rows {
  double low;
  double high;
  double length_within(Rows other) const {
    return std::max(0.0, std::min(high, other.high) - std::max(low, other.low));
  }
  Rows within(Rows other) const { return {std::max(low, other.low), std::min(high, other.high)}; }
};

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

  // The part of the pixel square [x0, x0 + 1] x [y0, y0 + 1] (from the ring's centre, y down) that the ring
  // covers less its gap, whose strip runs from the centre through the ring along the unit vector (ax, ay).
  // The black length of each column x is worked out exactly from where the column crosses the circles and
  // the strip's sides, and integrated over the square's width by adaptive Simpson steps to 1e-12, piece by
  // piece between the columns where two of those crossings, or one and the square's edge, meet: within a
  // piece the length is smooth, so no step can miss a sliver.
  double coverage(double x0, double y0, double ax, double ay) const {
    const double near_x = std::max({x0, -x0 - 1, 0.0}), near_y = std::max({y0, -y0 - 1, 0.0});
    const double far_x = std::max(std::abs(x0), std::abs(x0 + 1));
    const double far_y = std::max(std::abs(y0), std::abs(y0 + 1));
    if (std::hypot(near_x, near_y) >= outer || std::hypot(far_x, far_y) <= inner) return 0;
    const Rows square{y0, y0 + 1};
    const auto black = [&](double x) { return black_length(x, square, ax, ay); };
    std::vector<double> ends = piece_ends(y0, ax, ay);
    ends.push_back(x0);
    ends.push_back(x0 + 1);
    std::sort(ends.begin(), ends.end());
    double sum = 0;
    for (size_t k = 0; k + 1 < ends.size(); ++k) {
      const double a = std::max(ends[k], x0), b = std::min(ends[k + 1], x0 + 1);
      if (a < b) sum += simpson(black, a, b, black(a), black((a + b) / 2), black(b), 1e-12, 50);
    }
    return sum;
  }

 private:
  // The ring's black length within `square` along column x.
  double black_length(double x, Rows square, double ax, double ay) const {
    if (std::abs(x) >= outer) return 0;
    const double o = std::sqrt(outer * outer - x * x);
    const double i = std::abs(x) < inner ? std::sqrt(inner * inner - x * x) : 0;
    const Rows gap = strip_rows(x, ax, ay);
    double length = 0;
    for (const Rows band : {Rows{-o, -i}, Rows{i, o}}) {
      const Rows in_square = band.within(square);
      length += std::max(0.0, in_square.high - in_square.low) - in_square.length_within(gap);
    }
    return length;
  }

  // The rows of column x within the gap's strip: |across| <= gap / 2 and along >= 0.
  Rows strip_rows(double x, double ax, double ay) const {
    constexpr double kAll = std::numeric_limits<double>::infinity();
    Rows rows{-kAll, kAll};
    // across = y ax - x ay
    if (ax != 0) {
      const double a = (x * ay - gap / 2) / ax, b = (x * ay + gap / 2) / ax;
      rows = rows.within({std::min(a, b), std::max(a, b)});
    } else if (std::abs(x * ay) > gap / 2) {
      return {kAll, -kAll};
    }
    // along = x ax + y ay
    if (ay > 0) rows = rows.within({-x * ax / ay, kAll});
    if (ay < 0) rows = rows.within({-kAll, -x * ax / ay});
    if (ay == 0 && x * ax < 0) return {kAll, -kAll};
    return rows;
  }

  // The columns where the black length may turn: where a circle or a side of the strip crosses row y0 or
  // y0 + 1, where a side of the strip crosses a circle, where the strip's sides meet, and where the circles
  // turn.
  std::vector<double> piece_ends(double y0, double ax, double ay) const {
    std::vector<double> ends;
    const double across_x = -ay;  // the unit vector across the strip is (-ay, ax)
    for (const double r : {inner, outer}) {
      ends.insert(ends.end(), {-r, r});
      for (const double y : {y0, y0 + 1}) {
        if (r * r >= y * y) ends.insert(ends.end(), {-std::sqrt(r * r - y * y), std::sqrt(r * r - y * y)});
      }
      for (const double c : {-gap / 2, gap / 2}) {
        if (r * r < c * c) continue;
        const double t = std::sqrt(r * r - c * c);
        ends.insert(ends.end(), {c * across_x - t * ax, c * across_x + t * ax});
      }
      ends.insert(ends.end(), {-r * across_x, r * across_x});
    }
    for (const double y : {y0, y0 + 1}) {
      for (const double c : {-gap / 2, gap / 2}) {
        if (ay != 0) ends.push_back((y * ax - c) / ay);  // across = y ax - x ay = c
      }
      if (ax != 0) ends.push_back(-y * ay / ax);  // along = x ax + y ay = 0
    }
    for (const double c : {-gap / 2, gap / 2}) ends.push_back(c * across_x);
    return ends;
  }

  template <typename F>
  static double simpson(const F& f, double a, double b, double fa, double fm, double fb, double tolerance,
                        int depth) {
    const double m = (a + b) / 2, lm = (a + m) / 2, rm = (m + b) / 2;
    const double flm = f(lm), frm = f(rm);
    const double whole = (b - a) / 6 * (fa + 4 * fm + fb);
    const double left = (m - a) / 6 * (fa + 4 * flm + fm), right = (b - m) / 6 * (fm + 4 * frm + fb);
    if (depth <= 0 || std::abs(left + right - whole) <= 15 * tolerance)
      return left + right + (left + right - whole) / 15;
    return simpson(f, a, m, fa, flm, fm, tolerance / 2, depth - 1) +
           simpson(f, m, b, fm, frm, fb, tolerance / 2, depth - 1);
  }
};

}  // namespace zorikan::testing
