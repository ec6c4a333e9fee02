// Mouse routine registration and delivery.
#include "display/mouse_delivery.h"

#include <bit>

#include "display/frame_state.h"
#include "display/input_signal.h"
#include "display/stop_point.h"
#include "display/window_registry.h"

namespace zorikan::display {
namespace {

int slot_of(int event_bit) {
  return std::countr_zero(static_cast<unsigned>(event_bit));
}

}  // namespace

bool has_mouse_routine(const ChildWindow& window, int event_bit) {
  return window.mouse_routines[slot_of(event_bit)].load() != nullptr;
}

void deliver_mouse_event(ChildWindow& window, int event_bit, int32_t key_state, int32_t x, int32_t y) {
  auto active = frame_active_window();
  if (active.get() != &window || window.closed || run_state() != RunState::kRunning) return;
  MouseRoutine routine = window.mouse_routines[slot_of(event_bit)].load();
  if (routine == nullptr) return;
  set_thread_active_window(active);
  int32_t unit = window.unit;
  int32_t event = event_bit;
  run_program_routine([&] { routine(unit, event, key_state, x, y); });
  signal_input();
}

}  // namespace zorikan::display

namespace zorikan {

int32_t register_mouse_handler(int32_t unit, int32_t event_mask, MouseRoutine routine) {
  display::stop_point();
  auto window = display::window_of_unit(unit);
  if (!window) return -2;
  if ((event_mask & ((1 << display::kMouseSlotCount) - 1)) == 0) return -1;
  int32_t replaced = 0;
  for (int slot = 0; slot < display::kMouseSlotCount; ++slot) {
    if ((event_mask & (1 << slot)) == 0) continue;
    if (window->mouse_routines[slot].exchange(routine) != nullptr) replaced = 1;
  }
  return replaced;
}

}  // namespace zorikan
