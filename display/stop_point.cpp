// Program stop: the stop request, the program thread's unwinding and the layer's fatal report.
#include "display/stop_point.h"

#include <atomic>
#include <cstdio>
#include <string>

#include "common/file_units.h"
#include "common/program_stop.h"
#include "display/frame_state.h"
#include "display/input_signal.h"
#include "display/message_boxes.h"
#include "display/user_windows.h"

namespace zorikan::display {
namespace {

std::atomic<bool> g_stop_requested{false};
std::atomic<void (*)()> g_stop_listener{nullptr};
thread_local bool t_is_program_thread = false;

[[noreturn]] void stop_this_thread() {
  request_stop();
  if (auto listener = g_stop_listener.load()) listener();
  throw ProgramThreadExit{};
}

// The report names the file, line and what is wrong; the user sees it in an error box, and the
// standard error stream keeps a copy for whoever started the program from a terminal. After a stop the
// program's units are closed under the thread that still runs: what fails then is the stop's doing, and
// the thread ends as the stop asked, with no report and exit code 0.
[[noreturn]] void show_fatal_report(std::string_view report) {
  if (g_stop_requested) stop_this_thread();
  std::fprintf(stderr, "%.*s\n", static_cast<int>(report.size()), report.data());
  std::fflush(stderr);
  set_exit_code(1);
  show_message_box({BoxIcon::kError, BoxButtons::kOk, frame_title(), std::string(report)});
  stop_this_thread();
}

}  // namespace

void stop_point() {
  if (t_is_program_thread && g_stop_requested.load(std::memory_order_relaxed)) throw ProgramThreadExit{};
}

bool stop_requested() {
  return g_stop_requested;
}

// Open units are closed at the stop: files are flushed and closed, windows disappear.
void request_stop() {
  if (g_stop_requested.exchange(true)) return;
  signal_input();
  close_all_units();
  close_all_user_windows();
}

void mark_program_thread() {
  t_is_program_thread = true;
}

void install_stop_handlers() {
  set_stop_handler(&stop_this_thread);
  set_fatal_report_handler(&show_fatal_report);
}

void set_stop_listener(void (*listener)()) {
  g_stop_listener = listener;
}

}  // namespace zorikan::display
