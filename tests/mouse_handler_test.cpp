// The mouse routine and its readers on two threads at once, as the window thread and the program thread
// run them: a press stored while the start screen's checkpoint reads the words must never be taken for a
// completed click, and an answer window that sees a press must see that press's button.
#include "session/mouse_handler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "services/shared_words.h"
#include "session/activity_routines.h"
#include "session/checkpoints.h"

namespace zorikan {
namespace {

std::atomic<int> g_round{0};     // the press the window thread is to make next
std::atomic<int> g_pressed{-1};  // the last press it made
std::atomic<int> g_trainings{0};

// A press taken for a click: counted, and released once the press is complete, so that the checkpoint's
// wait for the release ends.
void count_training(int32_t, const GlyphCounts&, const GlyphPoints&, int16_t, int16_t) {
  ++g_trainings;
  while (g_pressed != g_round) std::this_thread::yield();
  buttons_held = 0;
}

TEST(MouseHandler, APressMeetingACheckpointIsNeverTakenForACompletedClick) {
  constexpr int kPresses = 20000;
  activity_routines.run_training = &count_training;
  std::thread window([] {
    for (int press = 0; press < kPresses; ++press) {
      while (g_round != press) std::this_thread::yield();
      int32_t unit = 1, event = 1, key_state = 1, x = 0, y = 0;
      mouse_handler(unit, event, key_state, x, y);
      g_pressed = press;
    }
  });
  for (int press = 0; press < kPresses; ++press) {
    buttons_held = 0;
    click_flag = 0;
    button_code = 0;
    g_round = press;
    while (g_pressed != press) full_checkpoint();
  }
  window.join();
  EXPECT_EQ(g_trainings, 0) << "left presses taken for completed left clicks, of " << kPresses;
}

// Presses alternate between the buttons, so a button_code left from the previous press is always the
// wrong one.
TEST(MouseHandler, AnAnswerSeenIsAlwaysThePressOfItsOwnButton) {
  constexpr int kPresses = 20000;
  std::atomic<int> round{-1};
  std::thread window([&] {
    for (int press = 0; press < kPresses; ++press) {
      while (round != press) std::this_thread::yield();
      int32_t unit = 1, down = 1, up = 2, x = 0, y = 0;
      int32_t key_state = press % 2 == 0 ? kLeftButton : kRightButton;
      mouse_handler(unit, down, key_state, x, y);
      key_state = 0;
      mouse_handler(unit, up, key_state, x, y);
    }
  });
  int wrong = 0;
  for (int press = 0; press < kPresses; ++press) {
    click_flag = 0;
    round = press;
    int32_t answer = 0;
    while ((answer = pending_answer()) == 0) {
    }
    if (answer != (press % 2 == 0 ? kLeftButton : kRightButton)) ++wrong;
  }
  window.join();
  EXPECT_EQ(wrong, 0) << "answers scored with the previous press's button, of " << kPresses;
}

}  // namespace
}  // namespace zorikan
