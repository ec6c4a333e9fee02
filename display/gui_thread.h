// Calls from the program thread into the GUI thread, which alone touches Qt's widgets.
#pragma once

#include <functional>

namespace zorikan::display {

// Marks the calling thread as the GUI thread and the message loop as running (or, with false, as
// ended: later calls are dropped instead of waiting for a loop that no longer runs).
void set_gui_thread_running(bool running);
bool is_gui_thread();

// Runs `work` on the GUI thread and waits for it; on the GUI thread it runs at once. Returns false
// when the message loop has ended and the work was not run.
bool run_on_gui(const std::function<void()>& work);

// Queues `work` for the GUI thread without waiting.
void post_to_gui(std::function<void()> work);

}  // namespace zorikan::display
