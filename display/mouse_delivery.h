// Mouse events of child windows delivered to the program's routines (GUI thread).
#pragma once

#include <cstdint>

#include "display/child_window.h"

namespace zorikan::display {

inline constexpr int kMouseLeftDown = 1;
inline constexpr int kMouseLeftUp = 2;
inline constexpr int kMouseLeftDoubleClick = 4;
inline constexpr int kMouseRightDown = 8;
inline constexpr int kMouseRightUp = 16;
inline constexpr int kMouseRightDoubleClick = 32;
inline constexpr int kMouseMove = 64;
inline constexpr int kMouseMiddleDown = 128;
inline constexpr int kMouseMiddleUp = 256;

bool has_mouse_routine(const ChildWindow& window, int event_bit);

// Calls the routine registered for `event_bit` with (unit, event, key state, x, y), x and y in surface
// pixels. Only events of the frame's active child window are delivered, and none while Paused.
void deliver_mouse_event(ChildWindow& window, int event_bit, int32_t key_state, int32_t x, int32_t y);

}  // namespace zorikan::display
