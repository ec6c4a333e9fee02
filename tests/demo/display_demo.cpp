// A demonstration program of the Display layer (not the eye trainer): it opens the frame and a
// 980 x 650 window, draws every primitive and a line of Cyrillic text, writes the file "drawn" in the
// working directory and waits until a file "quit" appears there. The Xvfb screenshot test reads its
// window's pixels.
#include <filesystem>
#include <fstream>

#include "common/cp1251.h"
#include "common/file_units.h"
#include "common/logical.h"
#include "display/display.h"

namespace {

using namespace zorikan;

constexpr int32_t kBlack = 0x000000;
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kGreen = 0x00FF00;
constexpr int32_t kBlue = 0xFF0000;
constexpr int32_t kMagenta = 0xFF00FF;
constexpr int32_t kCyan = 0xFFFF00;

bool demo_startup() {
  set_window_geometry(kFrameUnit, WindowGeometry{4, 0, 0, 400, 650});
  append_menu_item(1, 4, cp1251<"Выход">().view(), nullptr);
  append_menu_item(2, 4, cp1251<"Инструкция">().view(), &show_about_box);
  return true;
}

// A 3 x 3 marker: red with a blue centre, so the test can find the surface in the screenshot.
void marker(int16_t x, int16_t y) {
  set_draw_color_rgb(kRed);
  draw_rectangle(3, x, y, static_cast<int16_t>(x + 2), static_cast<int16_t>(y + 2));
  set_pixel_rgb(static_cast<int16_t>(x + 1), static_cast<int16_t>(y + 1), kBlue);
}

void draw_everything() {
  GraphicsPosition previous;
  set_draw_color_rgb(kWhite);
  draw_rectangle(3, 0, 0, 979, 649);
  marker(0, 0);
  marker(977, 647);

  set_draw_color_rgb(kBlack);
  move_to(20, 20, previous);
  line_to(200, 20);  // solid
  set_line_pattern(0xFF00);
  move_to(20, 30, previous);
  line_to(200, 30);  // dotted
  set_line_pattern(0xFFFF);

  set_draw_color_rgb(kGreen);
  draw_rectangle(2, 20, 40, 120, 100);
  set_draw_color_rgb(kBlue);
  draw_rectangle(3, 140, 40, 240, 100);
  set_draw_color_rgb(kMagenta);
  draw_ellipse(3, 260, 40, 360, 100);
  set_draw_color_rgb(kCyan);
  const GraphicsPosition triangle[] = {{380, 100}, {430, 40}, {480, 100}};
  draw_polygon(3, triangle);
  for (int16_t x = 500; x < 540; x += 2) set_pixel_rgb(x, 70, kRed);

  // A copy of the blue rectangle through the image buffer, put back 300 pixels lower.
  static uint8_t buffer[200000];
  get_image(140, 40, 240, 100, buffer);
  put_image(140, 340, buffer, 3);

  init_fonts();
  set_draw_color_rgb(kBlack);
  select_font("t'Times New Roman Cyr'h38w17ib");
  move_to(20, 200, previous);
  draw_text(cp1251<"Тренажер для глаз: съешь ещё этих булок">().view());
  // Where the text ended: a red marker right after it.
  move_to(0, 0, previous);
  marker(previous.x, 260);
}

void demo_main() {
  set_exit_behaviour(2);
  set_window_geometry(kFrameUnit, WindowGeometry{4, 0, 0, 768, 1024});
  open_file(1, "USER", FileStatus::kUnknown, ErrorExit::kNone, FilePosition::kStart,
            cp1251<"Демонстрация">().view());
  WindowConfig config;
  config.pixel_width = 980;
  config.pixel_height = 650;
  config.text_columns = config.text_rows = config.color_count = -1;
  if (!is_true(set_window_config(config))) set_window_config(config);
  invoke_menu_command(2);
  set_text_cursor(0);
  draw_everything();
  sleep_ms(300);  // the repaint reaches the screen
  std::ofstream("drawn") << "drawn\n";
  while (!std::filesystem::exists("quit")) sleep_ms(50);
  close_file(1);
  stop_program();
}

}  // namespace

int main(int argc, char** argv) {
  return run_display_process(argc, argv, {&demo_startup, &demo_main});
}
