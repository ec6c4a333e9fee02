// The gap ring's figure in window pixels, sized by ring_scale (services/ring_scale.h) and placed with its
// gap on one side at one of three tilts.
#pragma once

#include <cstdint>

#include "services/ring_scale.h"

namespace zorikan {

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

// The figure at `scale` centred in a window of window_nx x window_ny pixels, with the gap on `side` (-1
// left, +1 right) turned by `tilt_degrees` (y grows downwards, so +45 turns a right-hand gap downwards
// and a left-hand one upwards).
RingFigure ring_figure(double scale, int32_t window_nx, int32_t window_ny, int32_t side, double tilt_degrees);

// The gap side drawn from a uniform number: +1 (right) above 0.5, else -1.
int32_t gap_side_of(float u);
// The tilt drawn from a uniform number: -45 below 0.333, 0 below 0.667, else +45 degrees.
double gap_tilt_of(float u);

}  // namespace zorikan
