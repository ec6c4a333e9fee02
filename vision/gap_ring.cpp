// The gap ring's size and corners; see gap_ring.h.
#include "vision/gap_ring.h"

#include <cmath>
#include <numbers>

#include "vision/screen_coordinate.h"

namespace zorikan {
namespace {

// The box of a disc of radius r about (cx, cy), moved `inset` pixels inwards on every side.
PixelBox disc_box(double cx, double cy, double r, double inset) {
  return {to_coordinate(cx - r + inset), to_coordinate(cy - r + inset), to_coordinate(cx + r - inset),
          to_coordinate(cy + r - inset)};
}

}  // namespace

double ring_scale(float acuity, float distance_cm, float diagonal_inch, int32_t nx, int32_t ny) {
  const int64_t squares = int64_t{nx} * nx + int64_t{ny} * ny;
  const double pitch = diagonal_inch * kMillimetresPerInch / std::sqrt(static_cast<double>(squares));
  return (kReferenceAcuity / acuity) * (distance_cm / kReferenceDistanceCm) / pitch;
}

RingDiscs ring_discs(double scale, int16_t window_nx, int16_t window_ny) {
  const double cx = window_nx / 2.0;
  const double cy = window_ny / 2.0;
  return {disc_box(cx, cy, kOuterDiameterMm / 2 * scale, 0),
          disc_box(cx, cy, kInnerDiameterMm / 2 * scale, 0.5)};
}

GapStrip gap_strip(double scale, int16_t window_nx, int16_t window_ny, int32_t side, double tilt_degrees) {
  const double cx = window_nx / 2.0;
  const double cy = window_ny / 2.0;
  const double radians = tilt_degrees * std::numbers::pi / 180;
  const double cos_a = std::cos(radians);
  const double sin_a = std::sin(radians);
  const double h = kGapWidthMm / 2 * scale;
  const double length = side * kGapLengthMm * scale;
  const double corners[4][2] = {{0, -h}, {0, h}, {length, h}, {length, -h}};
  GapStrip strip;
  for (size_t k = 0; k < strip.size(); ++k) {
    const double t = corners[k][0];
    const double q = corners[k][1];
    strip[k] = {to_coordinate(cx + t * cos_a - q * sin_a), to_coordinate(cy + t * sin_a + q * cos_a)};
  }
  return strip;
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
