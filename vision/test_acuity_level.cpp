// The acuity level test; see test_acuity_level.h.
//
// Each presentation: blank, then the ring with its gap drawn by area (ring_image.h); the onset tone opens
// a 2-second answer window (the tone counts in it); the verdict tone; then, unless a rule decided, 1 second
// of blank screen. Tones: onset 1000 Hz 50 ms, right 800 Hz 200 ms, wrong 200 Hz 300 ms, unanswered
// 400 Hz 50 ms.
#include "vision/test_acuity_level.h"

#include <optional>
#include <vector>

#include "display/display.h"
#include "services/acuity_ladder.h"
#include "services/colors.h"
#include "services/random_uniform.h"
#include "services/shared_words.h"
#include "vision/gap_ring.h"
#include "vision/ring_image.h"
#include "vision/screen_coordinate.h"

namespace zorikan {
namespace {

constexpr float kAnswerSeconds = 2.0f;
constexpr double kBlankSeconds = 1.0;
constexpr int32_t kRightRunToPass = 10;
constexpr int32_t kWrongToFail = 3;
constexpr int32_t kSilenceRunToFail = 5;

// The counters of one call: right answers in a row, wrong answers, unanswered rings since the last right
// answer.
struct LevelCounters {
  int32_t right_run = 0;
  int32_t wrong = 0;
  int32_t silence_run = 0;
};

enum class Wait { kAnswered, kNoAnswer, kAbandoned };

bool both_buttons() {
  return button_code == kBothButtons;
}

void blank_screen(int32_t nx, int32_t ny) {
  set_draw_color_rgb(kWhite);
  draw_rectangle(kFilled, 0, 0, to_coordinate(int64_t{nx} - 1), to_coordinate(int64_t{ny} - 1));
}

// Puts the ring onto the blank with one image operation, so that it appears whole at once. The image of
// the ring's box is taken from the window for its header, in the layer's own layout. False when the ring
// cannot be shown: none of it lies in the window, or its image cannot be sized, written or put.
bool show_ring(const RingImage& ring) {
  if (ring.width <= 0 || ring.height <= 0) return false;
  const auto x1 = static_cast<int16_t>(ring.x0);
  const auto y1 = static_cast<int16_t>(ring.y0);
  const auto x2 = static_cast<int16_t>(ring.x0 + ring.width - 1);
  const auto y2 = static_cast<int16_t>(ring.y0 + ring.height - 1);
  const int32_t bytes = image_size(x1, y1, x2, y2);
  if (bytes <= 0) return false;
  std::vector<uint8_t> image(static_cast<size_t>(bytes));
  get_image(x1, y1, x2, y2, image);
  return write_ring_pixels(ring, image) && put_image(x1, y1, image, kPlainCopy) == 1;
}

// Draws a ring with a fresh random gap side and tilt; returns the side, none when the ring cannot be shown.
std::optional<int32_t> draw_ring(double scale, int16_t window_nx, int16_t window_ny) {
  const int32_t side = gap_side_of(random_uniform());
  const double tilt = gap_tilt_of(random_uniform());
  if (!show_ring(render_ring(ring_figure(scale, window_nx, window_ny, side, tilt), window_nx, window_ny)))
    return std::nullopt;
  return side;
}

// The answer window from t0: a menu request or both buttons abandon, a left or right press answers and
// leaves its button in `button`.
Wait wait_for_answer(double t0, int32_t& button) {
  for (;;) {
    const auto elapsed = static_cast<float>(read_steady_seconds() - t0);
    if (mode_request != kNoRequest || both_buttons()) return Wait::kAbandoned;
    if (const int32_t pressed = pending_answer(); pressed != 0) {
      button = pressed;
      return Wait::kAnswered;
    }
    if (elapsed >= kAnswerSeconds) return Wait::kNoAnswer;
    wait_for_input(t0 + kAnswerSeconds);
  }
}

// Scores a click; false when both buttons abandon the test before the verdict tone.
bool score_answer(int32_t side, int32_t button, LevelCounters& counters) {
  const bool right = (side == -1 && button == kLeftButton) || (side == 1 && button == kRightButton);
  if (button == kBothButtons || both_buttons()) return false;
  if (right) {
    ++counters.right_run;
    counters.silence_run = 0;
    beep(800, 200);
  } else {
    ++counters.wrong;
    counters.right_run = 0;
    beep(200, 300);
  }
  return true;
}

// An unanswered ring. At the largest size nothing counts until the first answer of the call; false when
// both buttons abandon the test before the tone.
bool score_silence(float acuity, LevelCounters& counters) {
  if (counters.right_run == 0 && counters.wrong == 0 && acuity == kLargestRingAcuity) return true;
  ++counters.silence_run;
  if (both_buttons()) return false;
  beep(400, 50);
  return true;
}

// 1 passed, 0 failed, -1 undecided.
int32_t decision(const LevelCounters& counters) {
  if (counters.wrong >= kWrongToFail) return 0;
  if (counters.silence_run >= kSilenceRunToFail) return 0;
  if (counters.right_run >= kRightRunToPass) return 1;
  return -1;
}

// The blank second between rings; false when both buttons abandon the test.
bool blank_pause() {
  const double t0 = read_steady_seconds();
  for (;;) {
    if (both_buttons()) return false;
    if (read_steady_seconds() - t0 >= kBlankSeconds) return true;
    wait_for_input(t0 + kBlankSeconds);
  }
}

}  // namespace

bool test_acuity_level(float acuity, float distance_cm, float diagonal_inch, int16_t window_nx,
                       int16_t window_ny, int32_t screen_nx, int32_t screen_ny, int32_t& passed) {
  const double scale = ring_scale(acuity, distance_cm, diagonal_inch, screen_nx, screen_ny);
  LevelCounters counters;
  for (;;) {
    blank_screen(screen_nx, screen_ny);
    const std::optional<int32_t> side = draw_ring(scale, window_nx, window_ny);
    if (!side) return false;
    const double t0 = read_steady_seconds();
    if (both_buttons()) return true;
    // A click made while the ring was drawn or during the blank second is discarded here.
    click_flag = 0;
    beep(1000, 50);
    int32_t button = 0;
    const Wait outcome = wait_for_answer(t0, button);
    if (outcome == Wait::kAbandoned) return true;
    const bool scored =
        outcome == Wait::kAnswered ? score_answer(*side, button, counters) : score_silence(acuity, counters);
    if (!scored) return true;
    const int32_t verdict = decision(counters);
    if (verdict >= 0) {
      passed = verdict;
      return true;
    }
    blank_screen(screen_nx, screen_ny);
    if (both_buttons() || !blank_pause()) return true;
  }
}

}  // namespace zorikan
