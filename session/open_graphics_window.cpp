// open_graphics_window; see open_graphics_window.h. Program thread.
#include "session/open_graphics_window.h"

#include "common/file_units.h"
#include "common/logical.h"
#include "display/display.h"
#include "services/color_table.h"
#include "services/colors.h"
#include "services/window_registration.h"

namespace zorikan {
namespace {

bool g_colors_filled = false;

constexpr int32_t kTileChildWindows = 2;

}  // namespace

void open_graphics_window(int32_t unit, int32_t height, int32_t width, std::string_view title) {
  open_file(unit, kUserDeviceName, FileStatus::kUnknown, ErrorExit::kNone, FilePosition::kStart, title);

  WindowConfig config;
  config.pixel_width = static_cast<int16_t>(width);
  config.pixel_height = static_cast<int16_t>(height);
  config.text_columns = -1;  // -1: the system chooses
  config.text_rows = -1;
  config.color_count = -1;
  // False: the layer corrected the record and applied nothing; the corrected record is applied then.
  if (!is_true(set_window_config(config))) set_window_config(config);

  register_window(unit, width, height);
  if (!g_colors_filled) {
    g_colors_filled = true;
    fill_default_colors();
  }
  if (unit == 1) invoke_menu_command(kTileChildWindows);
  set_text_background_rgb(kWhite);
  set_text_cursor(0);
}

}  // namespace zorikan
