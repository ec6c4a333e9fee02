// The grey second of a sweep step: a pause that still watches for both buttons.
#pragma once

#include <cstdint>

namespace zorikan {

// Pauses `milliseconds` in slices of kGreySliceMs; after each slice, both buttons leave the program
// (leave_start_screen), so they end it promptly while the window is grey, as they do while a picture
// is shown.
inline constexpr int32_t kGreySliceMs = 100;
void grey_pause(int32_t milliseconds);

}  // namespace zorikan
