// Runs the Display layer's whole process inside a test: the real frame window on the offscreen
// platform, the test's program body on the program thread, the message loop on the test's thread.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "display/message_boxes.h"

class QWidget;
class QWindow;

namespace zorikan::testing {

struct HarnessOptions {
  std::function<bool()> startup_settings;  // runs before the frame exists; empty: nothing
  int watchdog_seconds = 30;               // a test that runs longer fails and its program is stopped
  display::BoxAnswer question_answer = display::BoxAnswer::kYes;
};

// Every message box the layer raised during the run, answered at once.
struct RecordedBoxes {
  std::mutex lock;
  std::vector<display::MessageBoxRequest> boxes;
  std::vector<display::MessageBoxRequest> snapshot();
};

// Runs the process with `program` as main_program; returns the process's exit code.
int run_display(std::function<void()> program, const HarnessOptions& options, RecordedBoxes* boxes = nullptr);

// The frame window and the canvas of a unit's child window (GUI thread only); null when absent.
QWidget* frame_widget_for_test();
QWidget* canvas_of_unit(int unit);

// Presses or releases a mouse button on a unit's canvas through the window system's event path, at a
// point in surface pixels. GUI thread only. `modifiers` is a Qt::KeyboardModifiers value.
void press_button(int unit, int button, int x, int y, int modifiers = 0);
void release_button(int unit, int button, int x, int y, int modifiers = 0);

}  // namespace zorikan::testing
