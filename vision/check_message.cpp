// The message that ends the vision check; see check_message.h.
#include "vision/check_message.h"

#include "common/cp1251.h"
#include "display/display.h"
#include "services/colors.h"

namespace zorikan {
namespace {

constexpr std::string_view kFont = "t'Times New Roman Cyr'h38w17ib";
constexpr auto kClickPrompt = cp1251<"Для продолжения нажмите любую кнопку мыши">();
constexpr int16_t kLeft = 60;
// The three lines' tops, then the prompt's.
constexpr std::array<int16_t, 3> kLineTops = {150, 250, 320};
constexpr int16_t kPromptTop = 550;

void draw_line_at(int16_t y, std::string_view text) {
  GraphicsPosition previous;
  move_to(kLeft, y, previous);
  draw_text(text);
}

}  // namespace

void show_check_message(const std::array<std::string_view, 3>& lines, int16_t window_nx, int16_t window_ny) {
  set_draw_color_rgb(kWhite);
  draw_rectangle(kFilled, 0, 0, static_cast<int16_t>(window_nx - 1), static_cast<int16_t>(window_ny - 1));
  set_draw_color_rgb(kBlue);
  select_font(kFont);
  for (size_t line = 0; line < lines.size(); ++line) {
    if (!lines[line].empty()) draw_line_at(kLineTops[line], lines[line]);
  }
  draw_line_at(kPromptTop, kClickPrompt.view());
}

}  // namespace zorikan
