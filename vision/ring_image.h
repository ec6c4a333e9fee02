// The gap ring as grey pixels, drawn by area: a pixel whose area the black part covers to the fraction c
// has the linear luminance 1 - c, stored as the 8-bit sRGB value whose luminance is nearest to it. A
// pixel the figure covers wholly is 0, one it misses is 255; only the pixels that an edge of the figure
// crosses are grey. The image holds the ring's bounding box within the window; around it the window
// keeps its white blank.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "vision/gap_ring.h"

namespace zorikan {

struct RingImage {
  int32_t x0 = 0;     // window column of the box's left edge
  int32_t y0 = 0;     // window row of the box's top edge
  int32_t width = 0;  // 0 when the ring lies wholly outside the window
  int32_t height = 0;
  std::vector<uint8_t> grey;  // width x height sRGB values, top row first

  // The value at window pixel (x, y); 255 (white) outside the box.
  uint8_t at(int32_t x, int32_t y) const;
};

// Renders `figure` within a window of window_nx x window_ny pixels.
RingImage render_ring(const RingFigure& figure, int32_t window_nx, int32_t window_ny);

// The 8-bit sRGB value whose linear luminance is nearest to `linear` (0 to 1), and the linear luminance of
// an sRGB value.
uint8_t srgb_value(double linear);
double linear_luminance(uint8_t srgb);

// Writes the ring's pixels, grey (blue = green = red, reserved byte 0), into the pixel rows of `image`,
// an image of exactly the ring's box as get_image and put_image exchange it: a 54-byte header, then 4
// bytes per pixel without row padding, bottom row first. False, with `image` untouched, when the ring has
// no pixels or `image` is not of that size: nothing of the ring would be shown.
[[nodiscard]] bool write_ring_pixels(const RingImage& ring, std::span<uint8_t> image);

}  // namespace zorikan
