// plot_move_draw and the straight lines built on it; see plot_move_draw.h.
#include "chart/plot_move_draw.h"

#include "chart/activate_window.h"
#include "chart/world_to_pixel.h"
#include "display/display.h"

namespace zorikan {

void plot_move_draw(int32_t w, int32_t f, float x, float y, int32_t pen) {
  activate_window(w, 0);
  int32_t ix = 0;
  int32_t iy = 0;
  world_to_pixel(w, f, x, y, ix, iy);
  if (pen == kPenDown) line_to(static_cast<int16_t>(ix), static_cast<int16_t>(iy));
  GraphicsPosition previous;
  move_to(static_cast<int16_t>(ix), static_cast<int16_t>(iy), previous);
}

void plot_vertical_line(int32_t w, int32_t f, float x, float y1, float y2) {
  plot_move_draw(w, f, x, y1, kPenUp);
  plot_move_draw(w, f, x, y2, kPenDown);
}

void plot_horizontal_line(int32_t w, int32_t f, float x1, float x2, float y) {
  plot_move_draw(w, f, x1, y, kPenUp);
  plot_move_draw(w, f, x2, y, kPenDown);
}

}  // namespace zorikan
