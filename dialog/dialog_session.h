// A dialog while it is shown: its window on the GUI thread, and the queue through which the window's
// events (button clicks, the cancel command) reach the program thread waiting in dialog_run_modal.
#pragma once

#include <QPointer>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

namespace zorikan::dialog {

class DialogWindow;

struct DialogEvent {
  int32_t control_id = 0;
  int32_t callback_type = 0;
};

struct DialogSession {
  // From the GUI thread.
  void post(DialogEvent event);
  // On the program thread: the next event, waiting at most `limit`; false when none came.
  bool wait(DialogEvent& event, std::chrono::milliseconds limit);

  QPointer<DialogWindow> window;  // GUI thread only; null once the window is gone
  int routine_depth = 0;          // program thread only: control routines running now

 private:
  std::mutex lock_;
  std::condition_variable arrived_;
  std::deque<DialogEvent> events_;
};

}  // namespace zorikan::dialog
