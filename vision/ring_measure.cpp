// A rendered ring measured back; see ring_measure.h.
#include "vision/ring_measure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "vision/ring_coverage.h"

namespace zorikan {
namespace {

// The area of a disc of `radius` between the lines q = 0 and q = a across it, on one side of its centre
// (a <= radius): the integral of sqrt(radius^2 - q^2) from 0 to a.
double half_chord_area(double radius, double a) {
  return 0.5 * (a * std::sqrt(radius * radius - a * a) + radius * radius * std::asin(a / radius));
}

// The area of the ring inside a strip of `width` from the centre outwards beyond the ring (the strip
// never reaches beyond the inner radius across its axis).
double ring_in_strip(const RingFigure& figure, double width) {
  const double a = std::min(width / 2, figure.inner_radius);
  return 2 * (half_chord_area(figure.outer_radius, a) - half_chord_area(figure.inner_radius, a));
}

double ring_area(const RingFigure& figure) {
  return std::numbers::pi *
         (figure.outer_radius * figure.outer_radius - figure.inner_radius * figure.inner_radius);
}

// The strip width whose area within the ring is `missing`, by bisection: the area grows with the width.
double width_of_missing(const RingFigure& figure, double missing) {
  double low = 0;
  double high = 2 * figure.inner_radius;
  if (!(missing > 0)) return 0;
  if (missing >= ring_in_strip(figure, high)) return high;
  for (int step = 0; step < 60; ++step) {
    const double middle = (low + high) / 2;
    (ring_in_strip(figure, middle) < missing ? low : high) = middle;
  }
  return (low + high) / 2;
}

}  // namespace

RingMeasure measure_ring(const RingImage& image, const RingFigure& figure) {
  RingMeasure measure;
  double gap_half_darkness = 0;
  for (int32_t y = image.y0; y < image.y0 + image.height; ++y) {
    for (int32_t x = image.x0; x < image.x0 + image.width; ++x) {
      const double darkness = 1 - linear_luminance(image.at(x, y));
      if (darkness == 0) continue;
      measure.black_area += darkness;
      gap_half_darkness += darkness * gap_half_share(figure, x, y);
    }
  }
  measure.gap_width = width_of_missing(figure, ring_area(figure) / 2 - gap_half_darkness);
  return measure;
}

double ideal_black_area(const RingFigure& figure) {
  return ring_area(figure) - ring_in_strip(figure, 2 * figure.half_gap);
}

}  // namespace zorikan
