// The three activities that the main loop dispatches to, reached through one table of routines so
// that a whole-program test can watch the dispatch (which routine, with which arguments) without
// running the activities themselves.
#pragma once

#include <cstdint>

#include "services/glyph_set.h"

namespace zorikan {

struct ActivityRoutines {
  void (*run_training)(int32_t current_size, const GlyphCounts& glyph_count, const GlyphPoints& glyph_points,
                       int16_t window_nx, int16_t window_ny);
  void (*run_vision_check)(int16_t window_nx, int16_t window_ny);
  void (*show_results_chart)();
};

// The real activities unless a test replaced them before the program started. Program thread only.
extern ActivityRoutines activity_routines;

}  // namespace zorikan
