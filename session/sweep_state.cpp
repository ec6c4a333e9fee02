// The sweep's state; see sweep_state.h.
#include "session/sweep_state.h"

namespace zorikan {

int32_t current_size = kSmallestPatternSize;
SweepBounds sweep_bounds;

}  // namespace zorikan
