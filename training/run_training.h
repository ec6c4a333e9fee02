// The training run: a series of gratings hiding glyph `current_size` on the left or the right, each
// answered with the matching mouse button.
#pragma once

#include <cstdint>

#include "services/glyph_set.h"

namespace zorikan {

// Runs one training run at pattern size `current_size` (pixels) in window unit 1 of
// window_nx x window_ny pixels; returns when it is finished or abandoned. Program thread.
void run_training(int32_t current_size, const GlyphCounts& glyph_count, const GlyphPoints& glyph_points,
                  int16_t window_nx, int16_t window_ny);

}  // namespace zorikan
