// draw_axes; see draw_axes.h.
#include "chart/draw_axes.h"

#include <cmath>

#include "chart/activate_window.h"
#include "chart/grid_walk.h"
#include "chart/plot_frames.h"
#include "chart/plot_move_draw.h"
#include "chart/select_line_kind.h"
#include "chart/world_to_pixel.h"
#include "common/real_to_integer.h"

namespace zorikan {
namespace {

// world_to_pixel's column (row) is monotone in x (y) when every figure of the frame is finite and both
// boxes have a positive extent that is finite in 4-byte reals.
bool pixel_index_is_monotone(const PlotFrame& frame) {
  const float x_span = frame.world_x_max - frame.world_x_min;
  const float y_span = frame.world_y_max - frame.world_y_min;
  return std::isfinite(x_span) && x_span > 0 && std::isfinite(y_span) && y_span > 0 &&
         std::isfinite(frame.pixel_left) && std::isfinite(frame.pixel_bottom) &&
         std::isfinite(frame.pixel_width) && frame.pixel_width > 0 && std::isfinite(frame.pixel_height) &&
         frame.pixel_height > 0;
}

}  // namespace

int32_t grid_line_count(float step, float min, float max) {
  if (!(step > 0)) return 0;
  // The stored 4-byte values, combined without rounding each step back to 4 bytes: 0.2 as stored is a
  // little above 0.2, so (0.2 + 1) / 0.2 comes out just below 6.
  return truncate_int((double{step} + double{max} - double{min}) / double{step});
}

void draw_axes(int32_t w, int32_t f, float x_step, float y_step) {
  activate_window(w, 0);
  const PlotFrame frame = plot_frame(w, f);
  const float x_min = frame.world_x_min;
  const float x_max = frame.world_x_max;
  const float y_min = frame.world_y_min;
  const float y_max = frame.world_y_max;

  // Grid lines closer than a pixel fall on a column (row) already drawn with the same pattern: only the
  // first of each is drawn, and the walk jumps the others, so that a span of millions of steps (a log
  // whose dates lie centuries apart) costs no more than the frame has pixels.
  const GridIndexOrder order =
      pixel_index_is_monotone(frame) ? GridIndexOrder::kMonotone : GridIndexOrder::kUnknown;
  int32_t column = 0;
  int32_t row = 0;
  if (x_step > 0) {
    select_line_kind(kGridLine);
    walk_grid_lines(
        x_min, x_step, grid_line_count(x_step, x_min, x_max), order,
        [&](float x) {
          world_to_pixel(w, f, x, y_min, column, row);
          return column;
        },
        [&](float x) { plot_vertical_line(w, f, x, y_min, y_max); });
  }
  if (!(y_step > 0)) return;
  select_line_kind(kGridLine);
  walk_grid_lines(
      y_min, y_step, grid_line_count(y_step, y_min, y_max), order,
      [&](float y) {
        world_to_pixel(w, f, x_min, y, column, row);
        return row;
      },
      [&](float y) { plot_horizontal_line(w, f, x_min, x_max, y); });

  select_line_kind(kSolidLine);
  plot_vertical_line(w, f, x_min, y_min, y_max);
  plot_vertical_line(w, f, x_max, y_min, y_max);
  plot_horizontal_line(w, f, x_min, x_max, y_min);
  plot_horizontal_line(w, f, x_min, x_max, y_max);
}

}  // namespace zorikan
