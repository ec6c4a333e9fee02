// The three activities that the main loop dispatches to, reached through one table of routines so
// that a whole-program test can watch the dispatch (which routine, with which arguments) without
// running the activities themselves. The table is filled in app/activity_table.cpp: the session never
// includes an activity.
//
// What an activity leaves in the shared words (services/shared_words.h) when it returns, and what the
// session then does with them:
// - run_training: after the result screen, click_flag 0 (the final click wait clears it) and button_code
//   as that click left it. Abandoned, the words as the both-button press or the menu command left them
//   (button_code 3, or mode_request set). The start screen's checkpoint then waits until no button is
//   held and clears button_code.
// - run_vision_check: after its result, a set-up fault or a ring it could not show, click_flag 0 and
//   button_code as the click left it. Both buttons during a level test: button_code and click_flag 0,
//   buttons_held as the mouse left it. A menu command during a level test: mode_request set, the other
//   words as they were. The main loop then waits until no button is held and clears click_flag.
// - show_results_chart: click_flag 0 and button_code as the click left it; the main loop clears
//   click_flag.
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
