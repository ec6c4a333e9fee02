// The gap ring: a black ring with a white gap strip, sized so that at the viewing distance it subtends
// the visual angle of one decimal acuity. The reference figure (acuity 0.1 seen from 500 cm) is, in
// millimetres: outer diameter 72.5, inner diameter 43.5, gap width 14.5, gap strip 38.25 long from the
// ring's centre (2 mm beyond the outer edge); every length scales with 0.1 / acuity and distance / 500.
#pragma once

#include <array>
#include <cstdint>

#include "display/display.h"

namespace zorikan {

inline constexpr double kOuterDiameterMm = 72.5;
inline constexpr double kInnerDiameterMm = 43.5;
inline constexpr double kGapWidthMm = 14.5;
inline constexpr double kGapLengthMm = 76.5 / 2;
inline constexpr double kMillimetresPerInch = 25.4;
inline constexpr double kReferenceDistanceCm = 500;
inline constexpr double kReferenceAcuity = 0.1;

// Corners of a box, inclusive, as the layer's rectangles and ellipses take them.
struct PixelBox {
  int16_t x1 = 0;
  int16_t y1 = 0;
  int16_t x2 = 0;
  int16_t y2 = 0;
  friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

struct RingDiscs {
  PixelBox outer;  // the black disc
  PixelBox inner;  // the white disc, half a pixel inside the exact circle on every side
};

// The white strip's corners: (t = 0, q = -h), (0, +h), (L, +h), (L, -h), with t along the strip's axis
// from the ring's centre and q across it.
using GapStrip = std::array<GraphicsPosition, 4>;

// Screen pixels per reference millimetre at `acuity` for the set-up: the pixel pitch is
// diagonal x 25.4 / sqrt(nx^2 + ny^2) millimetres, the sum formed in 64 bits. Finite and positive when
// the distance and the diagonal are finite and positive and nx, ny are positive.
double ring_scale(float acuity, float distance_cm, float diagonal_inch, int32_t nx, int32_t ny);

// The figure is centred at (window_nx / 2, window_ny / 2); every coordinate is rounded with nearest_int
// and held within the 2-byte range.
RingDiscs ring_discs(double scale, int16_t window_nx, int16_t window_ny);
// The gap on `side` (-1 left, +1 right), turned by `tilt_degrees` (y grows downwards, so +45 turns a
// right-hand gap downwards and a left-hand one upwards).
GapStrip gap_strip(double scale, int16_t window_nx, int16_t window_ny, int32_t side, double tilt_degrees);

// The gap side drawn from a uniform number: +1 (right) above 0.5, else -1.
int32_t gap_side_of(float u);
// The tilt drawn from a uniform number: -45 below 0.333, 0 below 0.667, else +45 degrees.
double gap_tilt_of(float u);

}  // namespace zorikan
