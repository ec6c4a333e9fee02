// Sliced sleeping on the steady clock; see interruptible_wait.h.
#include "display/interruptible_wait.h"

#include <algorithm>
#include <thread>

namespace zorikan::display {

bool wait_until(std::chrono::steady_clock::time_point deadline, bool (*interrupted)()) {
  for (;;) {
    if (interrupted != nullptr && interrupted()) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return true;
    const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - now);
    std::this_thread::sleep_for(std::min<std::chrono::nanoseconds>(left, kWaitSlice));
  }
}

}  // namespace zorikan::display
