// A set-up that cannot size a gap ring: a viewing distance or a display diagonal that is not a positive
// finite number, or a screen resolution that is not positive. The vision check then tells the user which
// value of the parameter dialog to correct, instead of drawing a ring of no meaningful size.
#pragma once

#include <cstdint>

#include "services/session_params.h"

namespace zorikan {

enum class SetupFault { kNone, kDistance, kDiagonal, kScreenNy, kScreenNx };

// The first unusable value, in the dialog's order; kNone when the ring can be sized.
SetupFault find_setup_fault(const SessionParams& params);

// Blanks window unit 1 (window_nx x window_ny pixels) and shows, in blue, that the vision check is not
// possible, the dialog box to correct and the prompt to click. Program thread.
void show_setup_fault(SetupFault fault, int16_t window_nx, int16_t window_ny);

}  // namespace zorikan
