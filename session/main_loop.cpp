// The main loop; see main_loop.h.
#include "session/main_loop.h"

#include "services/shared_words.h"
#include "services/window_size.h"
#include "session/activity_routines.h"
#include "session/checkpoints.h"
#include "session/sweep_state.h"
#include "session/sweep_step.h"

namespace zorikan {
namespace {

// The top of the loop: a vision check requested by a right click, then (also right after it) the
// results chart requested from the menu.
void serve_requests() {
  if (mode_request == kVisionCheckRequest) {
    mode_request = kNoRequest;
    activity_routines.run_vision_check(window_nx, window_ny);
    wait_until_buttons_released();
    click_flag = 0;
  }
  if (mode_request == kResultsChartRequest) {
    mode_request = kNoRequest;
    activity_routines.show_results_chart();
    click_flag = 0;
  }
}

// Sweeps back and forth from the first size of the current direction until a step asks for a
// restart.
void sweep_until_restart() {
  for (;;) {
    for (int32_t size = sweep_bounds.first;; size += sweep_bounds.step) {
      if (show_sweep_step(size) == CheckpointOutcome::kRestart) return;
      if (size == sweep_bounds.last) break;
    }
    sweep_bounds = reversed(sweep_bounds);
  }
}

}  // namespace

void run_main_loop() {
  for (;;) {
    serve_requests();
    sweep_until_restart();
  }
}

}  // namespace zorikan
