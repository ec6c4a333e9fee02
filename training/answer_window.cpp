// The answer window; see answer_window.h. Program thread.
#include "training/answer_window.h"

#include "display/display.h"
#include "services/colors.h"
#include "services/shared_words.h"

namespace zorikan {
namespace {

constexpr float kAnswerSeconds = 5.0f;

void fill(int32_t rgb, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  set_draw_color_rgb(rgb);
  draw_rectangle(kFilled, static_cast<int16_t>(x1), static_cast<int16_t>(y1), static_cast<int16_t>(x2),
                 static_cast<int16_t>(y2));
}

// The readiness strip turns green; the progress strip is cyan up to the share of images reached.
void show_window_open(int32_t image, int32_t volume, int16_t nx) {
  fill(kLime, 0, 10, nx - 1, 19);
  const int32_t reached = (nx - 1) * image / volume;
  fill(kBlue, reached, 0, nx - 1, 9);
  fill(kCyan, 0, 0, reached, 9);
}

}  // namespace

AnswerOutcome await_answer(int32_t image, int32_t volume, int16_t nx, float& seconds, int32_t& button) {
  const double t0 = read_steady_seconds();
  click_flag = 0;
  show_window_open(image, volume, nx);
  beep(1000, 200);
  for (;;) {
    const auto t = static_cast<float>(read_steady_seconds() - t0);
    if (mode_request != kNoRequest) return AnswerOutcome::kAbandoned;
    if (button_code == kBothButtons) return AnswerOutcome::kAbandoned;
    if (const int32_t pressed = pending_answer(); pressed != 0) {
      if (pressed == kBothButtons) return AnswerOutcome::kAbandoned;
      seconds = t;
      button = pressed;
      return AnswerOutcome::kAnswered;
    }
    if (t >= kAnswerSeconds) return AnswerOutcome::kMissed;
    wait_for_input(t0 + kAnswerSeconds);
  }
}

}  // namespace zorikan
