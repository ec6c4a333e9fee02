// The signal by which the window thread wakes the program thread's waits.
//
// The program's mouse and menu routines store the shared words on the window thread; after each such
// routine has run, and at a stop request, the layer bumps one generation number and wakes whoever sleeps
// on it. A waiter that remembers the generation it last saw knows that a routine ran since whenever the
// number has moved, so it never sleeps through a store it has not looked at.
#pragma once

#include <chrono>
#include <cstdint>

namespace zorikan::display {

// The generation now: the number of signals given so far.
uint64_t input_generation();

// Gives one signal: bumps the generation and wakes every waiter. Any thread.
void signal_input();

// Sleeps until the generation differs from `seen` or the steady clock reaches `deadline`, whichever comes
// first, and returns the generation then.
uint64_t wait_for_input_signal(uint64_t seen, std::chrono::steady_clock::time_point deadline);

}  // namespace zorikan::display
