// The grid and border of a plot frame.
#pragma once

#include <cstdint>

namespace zorikan {

// Draws, in the current colour, the frame's grid in dotted lines and its border in solid lines:
// - when x_step > 0, a vertical line at every x_step from the world box's x-min on;
// - when y_step > 0, a horizontal line at every y_step from y-min on, and then the border; a y_step
//   that is not positive ends the drawing before the border.
// Line counts are trunc((step + max - min) / step) of the 4-byte values as stored (from 0 to 1 in
// steps of 0.2 that is 5: lines at 0 to 0.8, the border drawing the one at 1), and the positions are
// accumulated by repeated addition of the step in 4-byte reals. Leaves the line kind solid when it
// gets to the border.
void draw_axes(int32_t w, int32_t f, float x_step, float y_step);

// How many grid lines a step draws over [min, max]; 0 for a step that is not positive.
int32_t grid_line_count(float step, float min, float max);

}  // namespace zorikan
