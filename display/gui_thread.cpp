// Blocking and queued calls into the GUI thread.
#include "display/gui_thread.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace zorikan::display {
namespace {

std::atomic<bool> g_gui_running{false};
std::atomic<std::thread::id> g_gui_thread{};

struct PendingCall {
  std::mutex lock;
  std::condition_variable done_signal;
  bool started = false;
  bool done = false;
  bool abandoned = false;  // the caller gave up: the loop ended before the call started
};

}  // namespace

void set_gui_thread_running(bool running) {
  g_gui_thread = std::this_thread::get_id();
  g_gui_running = running;
}

bool is_gui_thread() {
  return g_gui_thread.load() == std::this_thread::get_id();
}

bool run_on_gui(const std::function<void()>& work) {
  if (is_gui_thread()) {
    work();
    return true;
  }
  if (!g_gui_running) return false;
  auto call = std::make_shared<PendingCall>();
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [call, &work] {
        {
          std::lock_guard guard(call->lock);
          if (call->abandoned) return;
          call->started = true;
        }
        work();
        std::lock_guard guard(call->lock);
        call->done = true;
        call->done_signal.notify_all();
      },
      Qt::QueuedConnection);
  // The loop may end before it runs the call; look again every few milliseconds rather than wait on a
  // loop that is gone. A call that never started is abandoned, so it can never touch `work` later.
  std::unique_lock guard(call->lock);
  while (!call->done) {
    if (call->done_signal.wait_for(guard, std::chrono::milliseconds(20), [&] { return call->done; })) break;
    if (!g_gui_running && !call->started) {
      call->abandoned = true;
      return false;
    }
  }
  return true;
}

void post_to_gui(std::function<void()> work) {
  if (!g_gui_running && !is_gui_thread()) return;
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

}  // namespace zorikan::display
