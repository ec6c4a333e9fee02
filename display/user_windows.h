// Child windows opened by the program on the device "USER": creation, closing, configuration and
// placement.
#pragma once

#include <cstdint>
#include <string_view>

namespace zorikan::display {

// Opens a child window for `unit` (title in Windows-1251; empty gives a title of its own) and makes it
// the calling thread's active window. False when the unit already has a window or none can be created.
bool open_user_window(int32_t unit, std::string_view title);

// Closes the unit's child window; false when it has none. Safe from either thread.
bool close_user_window(int32_t unit);
void close_all_user_windows();

// Frame geometry stored by set_window_geometry before the frame is shown, applied when it is.
void mark_frame_created();
void apply_stored_frame_geometry();

}  // namespace zorikan::display
