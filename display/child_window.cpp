// Damage bookkeeping of a child window: repaints are coalesced, at most one queued at a time.
#include "display/child_window.h"

namespace zorikan::display {

void ChildWindow::mark_damaged(const QRect& damaged) {
  pending_damage = pending_damage.united(damaged.intersected(surface.rect()));
  auto* request = repaint.load();
  if (request == nullptr || repaint_pending.exchange(true)) return;
  request(*this, pending_damage);
}

}  // namespace zorikan::display
