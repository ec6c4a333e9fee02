// Waiting on the real clock that a stop request can cut short.
//
// A pause or a silent tone on the program thread must end soon after stop_program(), so waits sleep in
// short slices and look at a stop predicate between them.
#pragma once

#include <chrono>

namespace zorikan::display {

// Longest single sleep between two looks at the predicate.
inline constexpr std::chrono::milliseconds kWaitSlice{20};

// Sleeps until `deadline` (steady clock). `interrupted` may be null; when it turns true the wait ends
// within one slice. Returns false when the wait was cut short, true when the deadline was reached.
bool wait_until(std::chrono::steady_clock::time_point deadline, bool (*interrupted)());

}  // namespace zorikan::display
