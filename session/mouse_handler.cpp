// The mouse routine; see mouse_handler.h.
#include "session/mouse_handler.h"

#include "session/shared_words.h"

namespace zorikan {

void mouse_handler(int32_t&, int32_t&, int32_t& key_state, int32_t&, int32_t&) {
  // Shift, control and the middle button change nothing: only the left and right buttons count.
  const int32_t buttons = key_state & kBothButtons;
  // buttons_held first: a reader that sees this event's button_code then sees its buttons_held too.
  buttons_held = buttons;
  if (buttons != 0) {
    click_flag = 1;
    // Once both buttons were seen, the code stays until a consumer clears it after the buttons are up.
    if (button_code < kBothButtons) button_code = buttons;
  }
}

}  // namespace zorikan
