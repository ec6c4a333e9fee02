// Child window table and per-thread active windows.
#include "display/window_registry.h"

#include "display/layer_status.h"

#include <array>
#include <mutex>
#include <vector>

namespace zorikan::display {
namespace {

std::mutex g_table_lock;
std::array<std::shared_ptr<ChildWindow>, kMaxChildWindows> g_slots;
std::weak_ptr<ChildWindow> g_frame_active;

struct ThreadActive {
  bool set_up = false;
  std::shared_ptr<ChildWindow> window;
};
thread_local ThreadActive t_active;

}  // namespace

std::shared_ptr<ChildWindow> create_window(int32_t unit, std::string_view title) {
  std::lock_guard guard(g_table_lock);
  for (const auto& slot : g_slots) {
    if (slot && slot->unit == unit) return nullptr;
  }
  for (int i = 0; i < kMaxChildWindows; ++i) {
    if (g_slots[i]) continue;
    auto window = std::make_shared<ChildWindow>();
    window->unit = unit;
    window->number = kFirstWindowNumber + i;
    window->title = std::string(title);
    g_slots[i] = window;
    return window;
  }
  return nullptr;
}

std::shared_ptr<ChildWindow> window_of_unit(int32_t unit) {
  std::lock_guard guard(g_table_lock);
  for (const auto& slot : g_slots) {
    if (slot && slot->unit == unit) return slot;
  }
  return nullptr;
}

std::shared_ptr<ChildWindow> close_window(int32_t unit) {
  std::lock_guard guard(g_table_lock);
  for (auto& slot : g_slots) {
    if (slot && slot->unit == unit) {
      auto closed = std::move(slot);
      closed->closed = true;
      return closed;
    }
  }
  return nullptr;
}

std::vector<std::shared_ptr<ChildWindow>> open_windows() {
  std::lock_guard guard(g_table_lock);
  std::vector<std::shared_ptr<ChildWindow>> windows;
  for (const auto& slot : g_slots) {
    if (slot) windows.push_back(slot);
  }
  return windows;
}

void set_frame_active_window(const std::shared_ptr<ChildWindow>& window) {
  std::lock_guard guard(g_table_lock);
  g_frame_active = window;
}

std::shared_ptr<ChildWindow> frame_active_window() {
  std::lock_guard guard(g_table_lock);
  return g_frame_active.lock();
}

std::shared_ptr<ChildWindow> active_window() {
  if (!t_active.set_up) {
    t_active.window = frame_active_window();
    t_active.set_up = t_active.window != nullptr;
  }
  if (t_active.window && t_active.window->closed) return nullptr;
  return t_active.window;
}

std::shared_ptr<ChildWindow> drawing_target() {
  auto window = active_window();
  if (!window) record_status(kStatusFailure);
  return window;
}

void set_thread_active_window(const std::shared_ptr<ChildWindow>& window) {
  t_active.set_up = true;
  t_active.window = window;
}

}  // namespace zorikan::display
