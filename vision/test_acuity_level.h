// The acuity level test: gap rings of one acuity, answered with the mouse, until the level is passed
// (10 right answers in a row) or failed (a third wrong answer, or a fifth unanswered ring without a right
// answer in between).
#pragma once

#include <cstdint>

namespace zorikan {

// Shows rings of `acuity` for the set-up (viewing distance in cm, display diagonal in inches, screen
// resolution screen_nx x screen_ny) centred in window unit 1 of window_nx x window_ny pixels, and sets
// `passed` to 1 (passed) or 0 (failed); the last ring stays on the screen. Returns early with `passed`
// untouched when both buttons are pressed (button_code 3) or a menu command sets mode_request; the caller
// tells these apart by the shared words. The blanks between rings cover screen_nx x screen_ny pixels from the
// window's corner, not the window's size, on purpose: the screen's resolution is the whole display, so
// the blank whitens the whole window whatever size it was given, and the layer clips what lies beyond.
// Returns false when a ring cannot be shown (none of it lies in the window, or its image cannot be made or
// put): the test stops at once with `passed` untouched, since no answer could judge the level. Program
// thread.
[[nodiscard]] bool test_acuity_level(float acuity, float distance_cm, float diagonal_inch, int16_t window_nx,
                                     int16_t window_ny, int32_t screen_nx, int32_t screen_ny,
                                     int32_t& passed);

}  // namespace zorikan
