// The gap ring: a black ring with a white gap strip, sized so that at the viewing distance it subtends
// the visual angle of one decimal acuity. The reference figure (acuity 0.1 seen from 500 cm) is, in
// millimetres: outer diameter 72.5, inner diameter 43.5, gap width 14.5, gap strip 38.25 long from the
// ring's centre (2 mm beyond the outer edge); every length scales with 0.1 / acuity and distance / 500.
#pragma once

#include <cstdint>

namespace zorikan {

inline constexpr double kOuterDiameterMm = 72.5;
inline constexpr double kInnerDiameterMm = 43.5;
inline constexpr double kGapWidthMm = 14.5;
inline constexpr double kGapLengthMm = 76.5 / 2;
inline constexpr double kMillimetresPerInch = 25.4;
inline constexpr double kReferenceDistanceCm = 500;
inline constexpr double kReferenceAcuity = 0.1;

// The ideal figure in window pixels: the ring between the two radii, less the
// gap strip. The strip runs from the centre along `axis` (a unit vector pointing to the gap's side) for
// `strip_length` and reaches `half_gap` to either side of that axis. Window pixel (i, j) covers the square
// [i, i + 1] x [j, j + 1]; the centre is (window_nx / 2, window_ny / 2) taken as reals.
struct RingFigure {
  double centre_x = 0;
  double centre_y = 0;
  double outer_radius = 0;
  double inner_radius = 0;
  double half_gap = 0;
  double strip_length = 0;
  double axis_x = 1;
  double axis_y = 0;
};

// Screen pixels per reference millimetre at `acuity` for the set-up: the pixel pitch is
// diagonal x 25.4 / sqrt(nx^2 + ny^2) millimetres, the sum formed in 64 bits. Finite and positive when
// the distance and the diagonal are finite and positive and nx, ny are positive.
double ring_scale(float acuity, float distance_cm, float diagonal_inch, int32_t nx, int32_t ny);

// The figure at `scale` centred in a window of window_nx x window_ny pixels, with the gap on `side` (-1
// left, +1 right) turned by `tilt_degrees` (y grows downwards, so +45 turns a right-hand gap downwards
// and a left-hand one upwards).
RingFigure ring_figure(double scale, int32_t window_nx, int32_t window_ny, int32_t side, double tilt_degrees);

// The gap side drawn from a uniform number: +1 (right) above 0.5, else -1.
int32_t gap_side_of(float u);
// The tilt drawn from a uniform number: -45 below 0.333, 0 below 0.667, else +45 degrees.
double gap_tilt_of(float u);

}  // namespace zorikan
