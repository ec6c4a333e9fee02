// Rings that fit the window; see ring_fit.h.
#include "services/ring_fit.h"

#include <algorithm>
#include <cmath>

#include "services/acuity_ladder.h"
#include "services/ring_scale.h"

namespace zorikan {
namespace {

bool fits(float acuity, float distance_cm, float diagonal_inch, int32_t nx, int32_t ny, RingWindow window) {
  return kOuterDiameterMm * ring_scale(acuity, distance_cm, diagonal_inch, nx, ny) <=
         std::min(window.nx, window.ny);
}

}  // namespace

float lowest_fitting_level(float distance_cm, float diagonal_inch, int32_t nx, int32_t ny,
                           RingWindow window) {
  if (!can_size_ring(distance_cm, diagonal_inch, nx, ny)) return 0;
  // The ring that is never drawn (the search's upper bound) is left out.
  for (int32_t index = kFirstProbeIndex; index < kHighestLadderIndex; ++index) {
    const float level = kAcuityLadder[index];
    if (fits(level, distance_cm, diagonal_inch, nx, ny, window)) return level;
  }
  return 0;
}

int32_t distance_to_fit_cm(float acuity, float diagonal_inch, int32_t nx, int32_t ny, RingWindow window) {
  if (!can_size_ring(1, diagonal_inch, nx, ny) || !(acuity > 0) || !std::isfinite(acuity)) return 0;
  // The ring grows in proportion to the distance: its diameter at 1 cm tells the distance at which it
  // fills the window.
  const double per_cm = kOuterDiameterMm * ring_scale(acuity, 1, diagonal_inch, nx, ny);
  const double exact = std::min(window.nx, window.ny) / per_cm;
  if (!(exact >= 1)) return 0;
  auto distance = static_cast<int32_t>(std::min(std::floor(exact), 1e9));
  // The set-up's own arithmetic decides where the rounding of `exact` is too close to call.
  while (distance > 0 && !fits(acuity, static_cast<float>(distance), diagonal_inch, nx, ny, window))
    --distance;
  while (distance < 1e9 && fits(acuity, static_cast<float>(distance + 1), diagonal_inch, nx, ny, window))
    ++distance;
  return distance;
}

}  // namespace zorikan
