// Moves and lines of the plotting kit in a frame's world coordinates.
#pragma once

#include <cstdint>

namespace zorikan {

inline constexpr int32_t kPenUp = 0;
inline constexpr int32_t kPenDown = 1;

// Moves the graphics position of window w to the world point (x, y) of frame f, drawing a line there
// from the current position first when pen is kPenDown.
void plot_move_draw(int32_t w, int32_t f, float x, float y, int32_t pen);

// A line from (x, y1) to (x, y2), and from (x1, y) to (x2, y), in world coordinates.
void plot_vertical_line(int32_t w, int32_t f, float x, float y1, float y2);
void plot_horizontal_line(int32_t w, int32_t f, float x1, float x2, float y);

}  // namespace zorikan
