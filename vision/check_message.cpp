// The message that ends the vision check; see check_message.h.
#include "vision/check_message.h"

#include "display/display.h"
#include "services/click_prompt.h"
#include "services/colors.h"
#include "services/draw_text_at.h"
#include "services/screen_fonts.h"

namespace zorikan {
namespace {

constexpr int16_t kLeft = 60;
// The three lines' tops; the click prompt is below them.
constexpr std::array<int16_t, 3> kLineTops = {150, 250, 320};

}  // namespace

void show_check_message(const std::array<std::string_view, 3>& lines, int16_t window_nx, int16_t window_ny) {
  set_draw_color_rgb(kWhite);
  draw_rectangle(kFilled, 0, 0, static_cast<int16_t>(window_nx - 1), static_cast<int16_t>(window_ny - 1));
  set_draw_color_rgb(kBlue);
  select_font(kScreenTextFont);
  for (size_t line = 0; line < lines.size(); ++line) {
    if (!lines[line].empty()) draw_text_at(kLeft, kLineTops[line], lines[line]);
  }
  show_click_prompt();
}

}  // namespace zorikan
