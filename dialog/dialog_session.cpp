// The event queue between a shown dialog's window (GUI thread) and dialog_run_modal (program thread).
#include "dialog/dialog_session.h"

namespace zorikan::dialog {

void DialogSession::post(DialogEvent event) {
  {
    std::lock_guard guard(lock_);
    events_.push_back(event);
  }
  arrived_.notify_one();
}

bool DialogSession::wait(DialogEvent& event, std::chrono::milliseconds limit) {
  std::unique_lock guard(lock_);
  if (!arrived_.wait_for(guard, limit, [this] { return !events_.empty(); })) return false;
  event = events_.front();
  events_.pop_front();
  return true;
}

}  // namespace zorikan::dialog
