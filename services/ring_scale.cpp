// The gap ring's size at a set-up; see ring_scale.h.
#include "services/ring_scale.h"

#include <cmath>

namespace zorikan {

double pixel_pitch_mm(double diagonal_inch, int32_t nx, int32_t ny) {
  const int64_t squares = int64_t{nx} * nx + int64_t{ny} * ny;
  return diagonal_inch * kMillimetresPerInch / std::sqrt(static_cast<double>(squares));
}

bool can_size_ring(float distance_cm, float diagonal_inch, int32_t nx, int32_t ny) {
  return std::isfinite(distance_cm) && distance_cm > 0 && std::isfinite(diagonal_inch) && diagonal_inch > 0 &&
         nx > 0 && ny > 0;
}

double ring_scale(float acuity, float distance_cm, float diagonal_inch, int32_t nx, int32_t ny) {
  return (kReferenceAcuity / acuity) * (distance_cm / kReferenceDistanceCm) /
         pixel_pitch_mm(diagonal_inch, nx, ny);
}

}  // namespace zorikan
