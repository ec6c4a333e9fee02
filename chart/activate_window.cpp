// activate_window; see activate_window.h.
#include "chart/activate_window.h"

#include "common/logical.h"
#include "display/display.h"

namespace zorikan {
namespace {

// Between two attempts, so that a retry does not keep a processor busy.
constexpr int32_t kRetryPauseMs = 10;

}  // namespace

void activate_window(int32_t w, int32_t focus_unit) {
  if (w != 0) {
    while (!is_true(set_active_unit(w))) sleep_ms(kRetryPauseMs);
  }
  if (focus_unit != 0) {
    while (set_focus_unit(focus_unit) != 0) sleep_ms(kRetryPauseMs);
  }
}

}  // namespace zorikan
