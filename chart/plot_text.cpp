// The text font ladder and plot_text; see plot_text.h.
#include "chart/plot_text.h"

#include <algorithm>
#include <array>

#include "chart/activate_window.h"
#include "common/real_to_integer.h"
#include "display/display.h"
#include "services/color_table.h"
#include "services/draw_text_at.h"
#include "services/window_registration.h"

namespace zorikan {
namespace {

struct LadderStep {
  float t_up_to;  // the step serves t <= t_up_to (the last step every larger t)
  std::string_view descriptor;
  std::string_view faceless;  // the same cell from any face, when that face is missing
};

constexpr std::array<LadderStep, 10> kTextFontLadder = {{
    {4, "t'Times New Roman Cyr'h4w3b", "h4w3b"},
    {6, "t'Times New Roman Cyr'h12w4b", "h12w4b"},
    {8, "t'Times New Roman Cyr'h16w5b", "h16w5b"},
    {10, "t'Times New Roman Cyr'h20w6b", "h20w6b"},
    {12, "t'Times New Roman Cyr'h24w7b", "h24w7b"},
    {15, "t'Times New Roman Cyr'h28w8b", "h28w8b"},
    {20, "t'Times New Roman Cyr'h36w10b", "h36w10b"},
    {30, "t'Times New Roman Cyr'h52w18b", "h52w18b"},
    {50, "t'Times New Roman Cyr'h96w30b", "h96w30b"},
    {0, "t'Times New Roman Cyr'h120w40b", "h120w40b"},
}};

const LadderStep& ladder_step(float size) {
  const float t = 1.5f * size;
  for (size_t i = 0; i + 1 < kTextFontLadder.size(); ++i) {
    if (t <= kTextFontLadder[i].t_up_to) return kTextFontLadder[i];
  }
  return kTextFontLadder.back();
}

const WindowRegistration& registration_of(int32_t w) {
  return window_registration[static_cast<size_t>(w >= 1 && w <= kMaxRegisteredUnit ? w : 0)];
}

}  // namespace

std::string_view text_font_for_size(float size) {
  return ladder_step(size).descriptor;
}

void select_text_font(float size) {
  const LadderStep& step = ladder_step(size);
  if (select_font(step.descriptor) < 0) select_font(step.faceless);
}

int32_t x_inside_window(int32_t w, int32_t x, std::string_view text) {
  const auto last_column = truncate_int(registration_of(w).pixel_width) - 1;
  const int32_t overflow = x + measure_text(text) - last_column;
  return overflow > 0 ? std::max(x - overflow, 0) : x;
}

void plot_text(int32_t w, float x, float y, float size, float angle, std::string_view text) {
  activate_window(w, 0);
  const WindowRegistration& window = registration_of(w);
  const int32_t ix = truncate_int(x * window.pixel_width / window.text_width);
  const int32_t iy = truncate_int(window.pixel_height - y * window.pixel_height / window.text_height);

  select_text_font(size);
  set_text_rotation(truncate_int(angle * 10));
  select_color(color_table.current_index);
  draw_text_at(static_cast<int16_t>(x_inside_window(w, ix, text)), static_cast<int16_t>(iy), text);
  set_text_rotation(0);
}

}  // namespace zorikan
