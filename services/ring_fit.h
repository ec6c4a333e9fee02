// Whether a level's whole ring fits the graphics window. The ring is centred in the window, so it fits
// when its outer diameter is no more than the window's width and height; a larger ring is drawn clipped
// at the window's edges. Rings grow with the viewing distance: the largest ones fit from nearer.
#pragma once

#include <cstdint>

namespace zorikan {

// The graphics window a ring is drawn in, in pixels.
struct RingWindow {
  int32_t nx = 0;
  int32_t ny = 0;
};

// The lowest presented ladder level (0.1 ... 2.0) whose whole ring fits `window` at this set-up; 0 when
// none does, or when the set-up cannot size a ring.
float lowest_fitting_level(float distance_cm, float diagonal_inch, int32_t nx, int32_t ny, RingWindow window);

// The longest whole viewing distance in centimetres from which `acuity`'s whole ring fits `window` on this
// display; 0 when it does not fit even from 1 cm, or when the display cannot size a ring.
int32_t distance_to_fit_cm(float acuity, float diagonal_inch, int32_t nx, int32_t ny, RingWindow window);

}  // namespace zorikan
