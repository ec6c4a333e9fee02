// A rendered gap ring measured back from its pixels: the darkness it holds and the gap that darkness
// shows, as the user's eye integrates them.
#pragma once

#include "vision/gap_ring.h"
#include "vision/ring_image.h"

namespace zorikan {

struct RingMeasure {
  // Sum over the pixels of 1 - linear luminance, in square pixels.
  double black_area = 0;
  // The width, in pixels, of the ideal gap strip that would remove from the ring's gap half as much
  // darkness as that half of the image lacks against a ring without a gap.
  double gap_width = 0;
};

RingMeasure measure_ring(const RingImage& image, const RingFigure& figure);

// The ideal figure's black area in square pixels: the ring less the part of it inside the gap strip.
double ideal_black_area(const RingFigure& figure);

}  // namespace zorikan
