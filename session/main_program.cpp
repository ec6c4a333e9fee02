// The program's main routine; see main_program.h. Program thread.
#include "session/main_program.h"

#include "common/cp1251.h"
#include "display/display.h"
#include "services/color_table.h"
#include "services/graphics_window.h"
#include "services/shared_words.h"
#include "services/window_size.h"
#include "session/about_text.h"
#include "session/glyph_file.h"
#include "session/main_loop.h"
#include "session/mouse_handler.h"
#include "session/open_graphics_window.h"
#include "session/parameter_dialog.h"
#include "session/sweep_state.h"

namespace zorikan {
namespace {

constexpr int32_t kCloseWithoutAsking = 2;
constexpr int16_t kMoveAndResize = 4;
// Left down, left up, right down, right up, middle down, middle up.
constexpr int32_t kButtonEvents = 1 | 2 | 8 | 16 | 128 | 256;

constexpr auto kWindowTitle = cp1251<"Тренажер для глаз">();

}  // namespace

void main_program() {
  mode_request = kNoRequest;
  set_exit_behaviour(kCloseWithoutAsking);
  set_about_text(about_text());
  set_window_geometry(kFrameUnit, WindowGeometry{kMoveAndResize, 0, 0, 768, 1024});
  open_graphics_window(kGraphicsUnit, kGraphicsHeight, kGraphicsWidth, kWindowTitle.view());
  select_color(kBlackEntry);

  WindowConfig granted;
  get_window_config(granted);
  window_nx = granted.pixel_width;
  window_ny = granted.pixel_height;

  init_fonts();
  parameter_dialog();
  register_mouse_handler(kGraphicsUnit, kButtonEvents, &mouse_handler);

  click_flag = 0;
  sweep_bounds = SweepBounds{};
  current_size = kSmallestPatternSize;
  read_glyph_file();
  run_main_loop();
}

}  // namespace zorikan
