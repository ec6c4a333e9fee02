// What a set-up can measure: the gap of a level's ring must cover at least one screen pixel, or the ring
// cannot show that level's gap at its size. A finer level needs a longer viewing distance (the gap grows
// with it) or a finer pixel pitch.
#pragma once

#include <cstdint>

namespace zorikan {

// The highest presented ladder level (0.1 ... 2.0) whose gap is at least one pixel at this set-up; 0 when
// not even 0.1 is, or when the set-up cannot size a ring (a distance or diagonal that is not a positive
// finite number, a resolution that is not positive).
float highest_measurable_level(float distance_cm, float diagonal_inch, int32_t nx, int32_t ny);

// The shortest whole viewing distance in centimetres at which `acuity`'s gap is at least one pixel on this
// display; 0 when the display cannot size a ring.
int32_t distance_to_measure_cm(float acuity, float diagonal_inch, int32_t nx, int32_t ny);

}  // namespace zorikan
