// The start-up hook; see startup_settings.h.
#include "session/startup_settings.h"

#include <cstdint>

#include "common/cp1251.h"
#include "display/display.h"
#include "session/exit_program.h"
#include "session/request_results_chart.h"

namespace zorikan {
namespace {

constexpr int32_t kMenuEnabled = 4;
constexpr int16_t kMoveAndResize = 4;

constexpr auto kExitItem = cp1251<"Выход">();
constexpr auto kChartItem = cp1251<"Итоги_тренировок">();
constexpr auto kHelpItem = cp1251<"Инструкция">();

}  // namespace

bool startup_settings() {
  set_window_geometry(kFrameUnit, WindowGeometry{kMoveAndResize, 50, 50, 400, 650});
  // Menu routines receive the item's check state, which none of these uses.
  append_menu_item(1, kMenuEnabled, kExitItem.view(), [](int32_t&) { exit_program(); });
  append_menu_item(2, kMenuEnabled, kChartItem.view(), [](int32_t&) { request_results_chart(); });
  append_menu_item(3, kMenuEnabled, kHelpItem.view(), &show_about_box);
  return true;
}

}  // namespace zorikan
