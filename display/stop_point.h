// Where the program thread ends after a stop request.
//
// stop_program() may come from either thread. The program thread then ends at its next call into the
// layer: every layer operation begins with stop_point(), which on the program thread, once a stop was
// requested, unwinds it to its start. On any other thread, or before a stop, it returns at once.
#pragma once

#include <utility>

namespace zorikan::display {

void stop_point();

// True once stop_program() has been called (from either thread).
bool stop_requested();

// Asks the program thread to end at its next stop point, without unwinding the caller.
void request_stop();

// Unwinds the thread that stops: the program thread to its start, or the GUI thread to the call of
// the program's routine. Only run_program_routine and the program thread's start catch it.
struct ProgramThreadExit {};

// Marks the calling thread as the program thread (whose stop points unwind).
void mark_program_thread();

// Calls a program routine on the GUI thread; a stop_program() inside it ends the routine there.
template <typename Routine>
void run_program_routine(Routine&& routine) {
  try {
    std::forward<Routine>(routine)();
  } catch (const ProgramThreadExit&) {
  }
}

// Installs the layer's stop and fatal-report handlers (common/program_stop.h).
void install_stop_handlers();

// Called at every stop_program() and fatal report, on the thread that stops, once the stop is
// requested; null calls nothing. The frame's stop watch listens here.
void set_stop_listener(void (*listener)());

}  // namespace zorikan::display
