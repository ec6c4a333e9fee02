// The unusable set-up and its message; see setup_fault.h.
#include "vision/setup_fault.h"

#include <cmath>
#include <string_view>

#include "common/cp1251.h"
#include "display/display.h"
#include "services/click_prompt.h"
#include "services/colors.h"
#include "services/draw_text_at.h"
#include "services/screen_fonts.h"

namespace zorikan {
namespace {

constexpr auto kNotPossible = cp1251<"Проверка зрения невозможна.">();
constexpr auto kCorrect = cp1251<"Исправьте в окне параметров при запуске:">();
// The boxes' labels as the parameter dialog shows them.
constexpr auto kDistanceBox = cp1251<"\"Дальность до дисплея\"">();
constexpr auto kDiagonalBox = cp1251<"\"Диагональ дисплея\"">();
constexpr auto kScreenNyBox = cp1251<"\"Разрешение экрана, Ny=\"">();
constexpr auto kScreenNxBox = cp1251<"\"Разрешение экрана, Nx=\"">();

bool positive_finite(float value) {
  return std::isfinite(value) && value > 0;
}

std::string_view box_of(SetupFault fault) {
  switch (fault) {
    case SetupFault::kDistance:
      return kDistanceBox.view();
    case SetupFault::kDiagonal:
      return kDiagonalBox.view();
    case SetupFault::kScreenNy:
      return kScreenNyBox.view();
    case SetupFault::kScreenNx:
      return kScreenNxBox.view();
    case SetupFault::kNone:
      break;
  }
  return {};
}

}  // namespace

SetupFault find_setup_fault(const SessionParams& params) {
  if (!positive_finite(params.distance_cm)) return SetupFault::kDistance;
  if (!positive_finite(params.diagonal_inch)) return SetupFault::kDiagonal;
  if (params.screen_ny <= 0) return SetupFault::kScreenNy;
  if (params.screen_nx <= 0) return SetupFault::kScreenNx;
  return SetupFault::kNone;
}

void show_setup_fault(SetupFault fault, int16_t window_nx, int16_t window_ny) {
  set_draw_color_rgb(kWhite);
  draw_rectangle(kFilled, 0, 0, static_cast<int16_t>(window_nx - 1), static_cast<int16_t>(window_ny - 1));
  set_draw_color_rgb(kBlue);
  select_font(kScreenTextFont);
  draw_text_at(60, 150, kNotPossible.view());
  draw_text_at(60, 250, kCorrect.view());
  draw_text_at(60, 320, box_of(fault));
  show_click_prompt();
}

}  // namespace zorikan
