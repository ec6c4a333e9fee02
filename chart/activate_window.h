// Making a graphics window the target of the plotting kit's output.
#pragma once

#include <cstdint>

namespace zorikan {

// Makes window unit w (when not 0) the calling thread's active window and then, when focus_unit is not
// 0, gives that unit's window the focus. Neither gives up: each is tried again, after a short pause,
// until the Display layer reports success (a window is closed for a moment only while the program
// stops, and the stop then ends the program thread inside the layer).
void activate_window(int32_t w, int32_t focus_unit);

}  // namespace zorikan
