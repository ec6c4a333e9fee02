// The mouse routine; see mouse_handler.h.
#include "session/mouse_handler.h"

#include "services/shared_words.h"

namespace zorikan {
namespace {

constexpr int32_t kMiddleButtonDown = 128;

}  // namespace

void mouse_handler(int32_t&, int32_t& event, int32_t& key_state, int32_t&, int32_t&) {
  // Shift, control and the middle button are not taken into the button words.
  const int32_t buttons = key_state & kBothButtons;
  // The order of the stores is the words' contract (shared_words.h): buttons_held, button_code, and
  // click_flag last, so whoever sees the click sees its buttons.
  buttons_held = buttons;
  if (event == kMiddleButtonDown) {
    // Ends a wait for any button; a left or right click already waiting keeps its 1.
    if (click_flag == 0) click_flag = kOtherButtonClick;
    return;
  }
  if (buttons != 0) {
    // Once both buttons were seen, the code stays until a consumer clears it after the buttons are up.
    if (button_code < kBothButtons) button_code = buttons;
    click_flag = kButtonClick;
  }
}

}  // namespace zorikan
