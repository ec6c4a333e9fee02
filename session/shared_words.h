// The four words through which the window thread tells the program thread about the mouse and the
// menus. Written by mouse_handler and request_results_chart on the window (GUI) thread and by the main
// loop and the activities on the program thread; every poll reads the word afresh.
//
// Each word is only ever loaded or stored whole (never incremented or exchanged): the handler's
// "replace button_code while it is below 3" is a load and a store, and the consumers clear the word
// only after the buttons are up, so no ordering beyond the atomicity of each access is needed.
#pragma once

#include <atomic>
#include <cstdint>

namespace zorikan {

// Pending request for the main loop: 0 none, 1 vision check, 3 results chart.
extern std::atomic<int32_t> mode_request;
// 1 after any mouse event with a key state other than 0; cleared only by its consumers.
extern std::atomic<int32_t> click_flag;
// Key state latched at a press: 1 left, 2 right, 3 both, 5 or more with shift or control. Replaced
// by a later press only while below 3.
extern std::atomic<int32_t> button_code;
// Key state of the latest mouse event; 0 when every button is up.
extern std::atomic<int32_t> buttons_held;

// Key-state values of the Display layer's mouse events.
inline constexpr int32_t kLeftButton = 1;
inline constexpr int32_t kRightButton = 2;
inline constexpr int32_t kBothButtons = 3;

// Values of mode_request.
inline constexpr int32_t kNoRequest = 0;
inline constexpr int32_t kVisionCheckRequest = 1;
inline constexpr int32_t kResultsChartRequest = 3;

}  // namespace zorikan
