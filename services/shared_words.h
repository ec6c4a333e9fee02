// The four words through which the window thread tells the program thread about the mouse and the
// menus. Written by mouse_handler and request_results_chart on the window (GUI) thread and by the main
// loop and the activities on the program thread; every poll reads the word afresh.
//
// Each word is only ever loaded or stored whole (never incremented or exchanged): the handler's
// "replace button_code while it is below 3" is a load and a store, and the consumers clear the word
// only after the buttons are up. The words are not read together at one instant, so their order
// matters. The handler stores buttons_held, then button_code, then click_flag: a reader that sees a
// press's click_flag and reads button_code after it gets that press's button (or a later one), never the
// previous press's. A reader that combines them (a completed click) reads click_flag first, then
// button_code, buttons_held and button_code once more, so it never pairs a press's button_code with the
// buttons_held from before that press (sequentially consistent loads and stores, the default of
// std::atomic).
#pragma once

#include <atomic>
#include <cstdint>

namespace zorikan {

// Pending request for the main loop: 0 none, 1 vision check, 3 results chart.
extern std::atomic<int32_t> mode_request;
// 1 after a mouse event with the left or right button held, 2 after a middle press while it was 0;
// cleared only by its consumers. A wait for any button ends on either; an answer (left or right) and the
// start screen's clicks take only 1.
extern std::atomic<int32_t> click_flag;
// Buttons latched at a press: 1 left, 2 right, 3 both. Replaced by a later press only while below 3.
extern std::atomic<int32_t> button_code;
// Buttons held after the latest mouse event: 1 left, 2 right, 3 both; 0 when both are up.
extern std::atomic<int32_t> buttons_held;

// The button bits of the Display layer's key state; its shift, control and middle-button bits are not
// taken into the words.
inline constexpr int32_t kLeftButton = 1;
inline constexpr int32_t kRightButton = 2;
inline constexpr int32_t kBothButtons = 3;

// Values of click_flag.
inline constexpr int32_t kNoClick = 0;
inline constexpr int32_t kButtonClick = 1;
inline constexpr int32_t kOtherButtonClick = 2;

// The button of a left or right press waiting to be taken as an answer: button_code (1, 2 or 3) read
// after click_flag, so it is that press's own or a later one's; 0 while no such press waits (a middle
// press is no answer). Program thread.
int32_t pending_answer();

// Values of mode_request.
inline constexpr int32_t kNoRequest = 0;
inline constexpr int32_t kVisionCheckRequest = 1;
inline constexpr int32_t kResultsChartRequest = 3;

}  // namespace zorikan
