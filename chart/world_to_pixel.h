// The world-to-pixel mapping of a plot frame.
#pragma once

#include <cstdint>

namespace zorikan {

// Maps the world point (x, y) of frame f of window w to a pixel (ix, iy), rounded to the nearest
// pixel. A point outside the world box lands on the nearest edge of the frame's pixel box. A world box
// of zero width (or height) maps every x (or y) to its left (or bottom) edge instead of dividing by 0.
void world_to_pixel(int32_t w, int32_t f, float x, float y, int32_t& ix, int32_t& iy);

}  // namespace zorikan
