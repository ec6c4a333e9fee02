// The levels a set-up can measure; see highest_measurable_level.h.
#include "services/highest_measurable_level.h"

#include <cmath>

#include "services/acuity_ladder.h"
#include "services/ring_scale.h"

namespace zorikan {
namespace {

double gap_pixels(float acuity, float distance_cm, float diagonal_inch, int32_t nx, int32_t ny) {
  return kGapWidthMm * ring_scale(acuity, distance_cm, diagonal_inch, nx, ny);
}

}  // namespace

float highest_measurable_level(float distance_cm, float diagonal_inch, int32_t nx, int32_t ny) {
  if (!can_size_ring(distance_cm, diagonal_inch, nx, ny)) return 0;
  // The ring that is never drawn (the search's upper bound) is left out.
  for (int32_t index = kHighestLadderIndex - 1; index > kFirstProbeIndex - 1; --index) {
    const float level = kAcuityLadder[index];
    if (gap_pixels(level, distance_cm, diagonal_inch, nx, ny) >= 1) return level;
  }
  return 0;
}

int32_t distance_to_measure_cm(float acuity, float diagonal_inch, int32_t nx, int32_t ny) {
  if (!can_size_ring(1, diagonal_inch, nx, ny) || !(acuity > 0) || !std::isfinite(acuity)) return 0;
  // The gap grows in proportion to the distance: the gap at 1 cm tells the distance of one pixel.
  const double per_cm = gap_pixels(acuity, 1, diagonal_inch, nx, ny);
  const double exact = 1 / per_cm;
  if (!(exact < 1e9)) return 0;
  auto distance = static_cast<int32_t>(std::ceil(exact));
  // The set-up's own arithmetic decides where the rounding of `exact` is too close to call.
  while (gap_pixels(acuity, static_cast<float>(distance), diagonal_inch, nx, ny) < 1) ++distance;
  while (distance > 1 && gap_pixels(acuity, static_cast<float>(distance - 1), diagonal_inch, nx, ny) >= 1)
    --distance;
  return distance;
}

}  // namespace zorikan
