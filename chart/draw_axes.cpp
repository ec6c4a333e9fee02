// draw_axes; see draw_axes.h.
#include "chart/draw_axes.h"

#include "chart/activate_window.h"
#include "chart/plot_frames.h"
#include "chart/plot_move_draw.h"
#include "chart/select_line_kind.h"
#include "chart/world_to_pixel.h"
#include "common/real_to_integer.h"

namespace zorikan {

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

  // Grid lines closer than a pixel fall on a column (row) already drawn with the same pattern: they are
  // skipped, so that a span of many thousand steps (a log whose dates lie centuries apart) costs no more
  // lines than the frame has pixels.
  int32_t column = 0;
  int32_t row = 0;
  if (x_step > 0) {
    select_line_kind(kGridLine);
    float v = x_min;
    int32_t drawn = -1;
    for (int32_t i = grid_line_count(x_step, x_min, x_max); i > 0; --i, v += x_step) {
      world_to_pixel(w, f, v, y_min, column, row);
      if (column == drawn) continue;
      plot_vertical_line(w, f, v, y_min, y_max);
      drawn = column;
    }
  }
  if (!(y_step > 0)) return;
  select_line_kind(kGridLine);
  float v = y_min;
  int32_t drawn = -1;
  for (int32_t i = grid_line_count(y_step, y_min, y_max); i > 0; --i, v += y_step) {
    world_to_pixel(w, f, x_min, v, column, row);
    if (row == drawn) continue;
    plot_horizontal_line(w, f, x_min, x_max, v);
    drawn = row;
  }

  select_line_kind(kSolidLine);
  plot_vertical_line(w, f, x_min, y_min, y_max);
  plot_vertical_line(w, f, x_max, y_min, y_max);
  plot_horizontal_line(w, f, x_min, x_max, y_min);
  plot_horizontal_line(w, f, x_min, x_max, y_max);
}

}  // namespace zorikan
