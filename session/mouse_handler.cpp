// The mouse routine; see mouse_handler.h.
#include "session/mouse_handler.h"

#include "session/shared_words.h"

namespace zorikan {

void mouse_handler(int32_t&, int32_t&, int32_t& key_state, int32_t&, int32_t&) {
  if (key_state != 0) {
    click_flag = 1;
    // Once both buttons were seen (or a shift or control press), the code stays until a consumer
    // clears it after the buttons are up.
    if (button_code < kBothButtons) button_code = key_state;
  }
  buttons_held = key_state;
}

}  // namespace zorikan
