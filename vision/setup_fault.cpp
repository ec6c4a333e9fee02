// The unusable set-up and its message; see setup_fault.h.
#include "vision/setup_fault.h"

#include <cmath>
#include <string_view>

#include "common/cp1251.h"
#include "vision/check_message.h"

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
  show_check_message({kNotPossible.view(), kCorrect.view(), box_of(fault)}, window_nx, window_ny);
}

}  // namespace zorikan
