// The input signal; see input_signal.h. A mutex and a condition variable rather than a bare futex, so the
// wait can have a deadline; the generation is also an atomic, so the fast path takes no lock.
#include "display/input_signal.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace zorikan::display {
namespace {

std::atomic<uint64_t> g_generation{0};
std::mutex g_mutex;
std::condition_variable g_changed;

}  // namespace

uint64_t input_generation() {
  return g_generation.load(std::memory_order_acquire);
}

void signal_input() {
  {
    // Under the lock, so that a waiter between its test and its sleep cannot miss the bump.
    std::lock_guard lock(g_mutex);
    g_generation.fetch_add(1, std::memory_order_acq_rel);
  }
  g_changed.notify_all();
}

uint64_t wait_for_input_signal(uint64_t seen, std::chrono::steady_clock::time_point deadline) {
  std::unique_lock lock(g_mutex);
  g_changed.wait_until(lock, deadline, [seen] { return input_generation() != seen; });
  return input_generation();
}

}  // namespace zorikan::display
