// The graphics window's pixel size; see window_size.h.
#include "services/window_size.h"

namespace zorikan {

int16_t window_nx = 0;
int16_t window_ny = 0;

}  // namespace zorikan
