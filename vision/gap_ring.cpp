// The gap ring's figure; see gap_ring.h.
#include "vision/gap_ring.h"

#include <cmath>
#include <numbers>

namespace zorikan {

RingFigure ring_figure(double scale, int32_t window_nx, int32_t window_ny, int32_t side,
                       double tilt_degrees) {
  const double radians = tilt_degrees * std::numbers::pi / 180;
  return {window_nx / 2.0,
          window_ny / 2.0,
          kOuterDiameterMm / 2 * scale,
          kInnerDiameterMm / 2 * scale,
          kGapWidthMm / 2 * scale,
          kGapLengthMm * scale,
          side * std::cos(radians),
          side * std::sin(radians)};
}

int32_t gap_side_of(float u) {
  return u > 0.5f ? 1 : -1;
}

double gap_tilt_of(float u) {
  if (u < 0.333f) return -45;
  if (u < 0.667f) return 0;
  return 45;
}

}  // namespace zorikan
