// The mouse routine of the graphics window: turns button events into the shared mouse words.
#pragma once

#include <cstdint>

namespace zorikan {

// Registered for unit 1 with the event mask 27 (left down, left up, right down, right up); called on
// the window thread. Only the button bits of `key_state` are used (1 left, 2 right; shift 4, control 8
// and the middle button 16 are dropped): every event stores them in buttons_held, and an event with a
// button held then sets click_flag and, while button_code is below 3, latches them into button_code.
void mouse_handler(int32_t& unit, int32_t& event, int32_t& key_state, int32_t& x, int32_t& y);

}  // namespace zorikan
