// The gap ring: a black ring with a white gap strip, sized so that at the viewing distance it subtends
// the visual angle of one decimal acuity. The reference figure (acuity 0.1 seen from 500 cm) is, in
// millimetres: outer diameter 72.5, inner diameter 43.5, gap width 14.5, gap strip 38.25 long from the
// ring's centre (2 mm beyond the outer edge); every length scales with 0.1 / acuity and distance / 500.
#pragma once

#include <cstdint>

#include "common/millimetres_per_inch.h"

namespace zorikan {

inline constexpr double kOuterDiameterMm = 72.5;
inline constexpr double kInnerDiameterMm = 43.5;
inline constexpr double kGapWidthMm = 14.5;
inline constexpr double kGapLengthMm = 76.5 / 2;
inline constexpr double kReferenceDistanceCm = 500;
inline constexpr double kReferenceAcuity = 0.1;

// The pixel pitch of a display in millimetres: diagonal x 25.4 / sqrt(nx^2 + ny^2), the sum of squares
// formed in 64 bits. Finite and positive when the diagonal is finite and positive and nx, ny are positive.
double pixel_pitch_mm(double diagonal_inch, int32_t nx, int32_t ny);

// Whether the set-up sizes a ring: a distance and a diagonal that are positive finite numbers and a
// resolution that is positive.
bool can_size_ring(float distance_cm, float diagonal_inch, int32_t nx, int32_t ny);

// Screen pixels per reference millimetre at `acuity` for the set-up (the pixel pitch as above). Finite and
// positive when the distance and the diagonal are finite and positive and nx, ny are positive.
double ring_scale(float acuity, float distance_cm, float diagonal_inch, int32_t nx, int32_t ny);

}  // namespace zorikan
