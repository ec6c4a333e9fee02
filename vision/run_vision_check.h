// The vision check: a bisection over the acuity ladder with the gap ring.
#pragma once

#include <cstdint>

namespace zorikan {

// Runs one vision check in window unit 1 of window_nx x window_ny pixels; returns when it is finished
// or abandoned. Program thread.
void run_vision_check(int16_t window_nx, int16_t window_ny);

}  // namespace zorikan
