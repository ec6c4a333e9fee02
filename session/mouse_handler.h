// The mouse routine of the graphics window: turns button events into the shared mouse words.
#pragma once

#include <cstdint>

namespace zorikan {

// Registered for unit 1 for the presses and releases of the left, right and middle buttons; called on
// the window thread. Every event stores the left and right button bits of `key_state` (1 left, 2 right;
// shift 4, control 8 and the middle button 16 are dropped) in buttons_held. An event with the left or
// right button held then latches them into button_code (while it is below 3) and sets click_flag to 1;
// a middle press sets click_flag to 2 unless a click is already waiting, and touches nothing else.
void mouse_handler(int32_t& unit, int32_t& event, int32_t& key_state, int32_t& x, int32_t& y);

}  // namespace zorikan
