// The mouse routine of the graphics window: turns button events into the shared mouse words.
#pragma once

#include <cstdint>

namespace zorikan {

// Registered for unit 1 with the event mask 27 (left down, left up, right down, right up); called on
// the window thread. Only `key_state` (1 left, 2 right, 4 shift, 8 control, 16 middle) is used: any
// event with a non-zero key state sets click_flag and, while button_code is below 3, latches it
// into button_code; every event stores it in buttons_held.
void mouse_handler(int32_t& unit, int32_t& event, int32_t& key_state, int32_t& x, int32_t& y);

}  // namespace zorikan
