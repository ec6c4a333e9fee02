// The plot frame table, define_frame and set_frame_world; see plot_frames.h.
#include "chart/plot_frames.h"

#include "chart/activate_window.h"
#include "common/real_to_integer.h"
#include "display/display.h"
#include "services/window_registration.h"

namespace zorikan {
namespace {

PlotFrame scratch_frame;

void stroke(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  GraphicsPosition previous;
  move_to(static_cast<int16_t>(x1), static_cast<int16_t>(y1), previous);
  line_to(static_cast<int16_t>(x2), static_cast<int16_t>(y2));
}

}  // namespace

std::array<std::array<PlotFrame, kMaxPlotFrame + 1>, kMaxPlotUnit + 1> plot_frames = {};

PlotFrame& plot_frame(int32_t w, int32_t f) {
  if (w < 1 || w > kMaxPlotUnit || f < 1 || f > kMaxPlotFrame) {
    scratch_frame = {};
    return scratch_frame;
  }
  return plot_frames[static_cast<size_t>(w)][static_cast<size_t>(f)];
}

void define_frame(int32_t w, int32_t f, float x, float y, float width, float height) {
  if (w < 1 || w > kMaxPlotUnit || f < 1 || f > kMaxPlotFrame) return;
  activate_window(w, 0);
  const WindowRegistration& window = window_registration[static_cast<size_t>(w)];
  const float tw = window.text_width;
  const float th = window.text_height;
  const float pw = window.pixel_width;
  const float ph = window.pixel_height;
  const int32_t left = truncate_int(x * pw / tw);
  const int32_t right = truncate_int(static_cast<float>(left) + (pw - 1) * width / tw);
  const int32_t bottom = truncate_int((th - y) * (ph - 1) / th);
  const int32_t top = truncate_int(static_cast<float>(bottom) - (ph - 1) * height / th);

  PlotFrame& frame = plot_frame(w, f);
  frame.pixel_left = static_cast<float>(left);
  frame.pixel_bottom = static_cast<float>(bottom);
  frame.pixel_width = static_cast<float>(right - left);
  frame.pixel_height = static_cast<float>(bottom - top);
  frame.text_left = x;
  frame.text_bottom = y;
  frame.text_right = x + width;
  frame.text_top = y + height;

  stroke(left, bottom, left, top);
  stroke(left, top, right, top);
  stroke(right, top, right, bottom);
  stroke(right, bottom, left, bottom);
}

void set_frame_world(int32_t w, int32_t f, float x_min, float x_max, float y_min, float y_max) {
  PlotFrame& frame = plot_frame(w, f);
  frame.world_x_min = x_min;
  frame.world_x_max = x_max;
  frame.world_y_min = y_min;
  frame.world_y_max = y_max;
}

}  // namespace zorikan
