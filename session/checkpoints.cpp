// The start screen's checkpoints; see checkpoints.h. Program thread; every wait looks at the shared
// words and then rests in wait_for_input until a mouse or menu routine has run.
#include "session/checkpoints.h"

#include "common/file_units.h"
#include "common/program_stop.h"
#include "display/display.h"
#include "services/glyph_set.h"
#include "services/graphics_window.h"
#include "services/shared_words.h"
#include "services/window_size.h"
#include "session/activity_routines.h"
#include "session/sweep_state.h"

namespace zorikan {
namespace {

// In the reverse order of the handler's stores: click_flag (stored last), then button_code, buttons_held
// and button_code again. A press seen here comes with its own button and key state or later ones, never
// those from before it, and a code that changed meanwhile (the second button of both) is not taken for
// a click. A middle press (click_flag 2) never completes a click, whatever button_code still holds.
bool click_completed_with(int32_t code) {
  return click_flag == kButtonClick && button_code == code && buttons_held == 0 && button_code == code;
}

}  // namespace

void wait_until_buttons_released() {
  while (buttons_held != 0) wait_for_input(kNoDeadline);
}

CheckpointOutcome full_checkpoint() {
  if (mode_request != kNoRequest) return CheckpointOutcome::kRestart;
  if (button_code == kBothButtons) leave_start_screen();
  if (click_completed_with(kRightButton)) {
    mode_request = kVisionCheckRequest;
    return CheckpointOutcome::kRestart;
  }
  if (click_completed_with(kLeftButton)) {
    activity_routines.run_training(current_size, glyph_count, glyph_points, window_nx, window_ny);
    wait_until_buttons_released();
    button_code = 0;
    return CheckpointOutcome::kRestart;
  }
  return CheckpointOutcome::kContinue;
}

CheckpointOutcome glyph_checkpoint() {
  if (button_code == kBothButtons) leave_start_screen();
  if (mode_request != kNoRequest) return CheckpointOutcome::kRestart;
  if (click_completed_with(kRightButton)) {
    mode_request = kVisionCheckRequest;
    return CheckpointOutcome::kRestart;
  }
  return CheckpointOutcome::kContinue;
}

void leave_start_screen() {
  wait_until_buttons_released();
  close_file(kGraphicsUnit);
  stop_program();
}

}  // namespace zorikan
