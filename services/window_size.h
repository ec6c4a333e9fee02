// The pixel size of the graphics window (unit 1), read back from the Display layer at start-up after
// the window was opened: 980 x 650 when the system granted the request.
#pragma once

#include <cstdint>

namespace zorikan {

extern int16_t window_nx;  // pixels across
extern int16_t window_ny;  // pixels down

}  // namespace zorikan
