// The table of child windows: unit numbers to windows, and each thread's active window.
//
// Windows are numbered 1024 upwards by the first free slot, at most 40 at a time. A record outlives its
// closing for as long as a thread still holds it as its active window, so that drawing calls made to a
// window that was closed under the program's feet fail quietly instead of touching freed memory.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "display/child_window.h"

namespace zorikan::display {

inline constexpr int kMaxChildWindows = 40;
inline constexpr int32_t kFirstWindowNumber = 1024;

// Creates the record of a new window for `unit` (title in Windows-1251). Null when the unit already
// has an open window or all 40 slots are taken. The record has no surface until it is configured.
std::shared_ptr<ChildWindow> create_window(int32_t unit, std::string_view title);

// The open window of `unit`, or null.
std::shared_ptr<ChildWindow> window_of_unit(int32_t unit);

// Marks the window of `unit` closed and frees its slot; returns the closed record (null if none).
std::shared_ptr<ChildWindow> close_window(int32_t unit);

// Every open window, in slot order.
std::vector<std::shared_ptr<ChildWindow>> open_windows();

// The frame's active child window: the one the user or set_focus_unit last activated.
void set_frame_active_window(const std::shared_ptr<ChildWindow>& window);
std::shared_ptr<ChildWindow> frame_active_window();

// The calling thread's active window: on first use the frame's active child window. Null when it has
// none or its window is closed.
std::shared_ptr<ChildWindow> active_window();
void set_thread_active_window(const std::shared_ptr<ChildWindow>& window);

// The active window of a drawing or text operation: as active_window(), and when there is none the
// operation's status -1 is recorded.
std::shared_ptr<ChildWindow> drawing_target();

}  // namespace zorikan::display
