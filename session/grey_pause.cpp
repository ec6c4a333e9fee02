// The grey pause; see grey_pause.h. Program thread.
#include "session/grey_pause.h"

#include <algorithm>

#include "display/display.h"
#include "services/shared_words.h"
#include "session/checkpoints.h"

namespace zorikan {

void grey_pause(int32_t milliseconds) {
  for (int32_t left = milliseconds; left > 0; left -= kGreySliceMs) {
    sleep_ms(std::min(left, kGreySliceMs));
    if (button_code == kBothButtons) leave_start_screen();
  }
}

}  // namespace zorikan
