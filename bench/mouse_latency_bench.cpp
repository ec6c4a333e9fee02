// A mouse press injected through the window system's event path on the GUI thread, until the program
// thread, busy-polling as the program's loops do, sees the store of the program's mouse routine.
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>

#include "common/file_units.h"
#include "display/canvas_widget.h"
#include "display/display.h"
#include "display/gui_thread.h"
#include "display/window_registry.h"

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<int32_t> g_key_state{0};
std::atomic<Clock::rep> g_injected_at{0};

void store_key_state(int32_t&, int32_t&, int32_t& key_state, int32_t&, int32_t&) {
  g_key_state = key_state;
}

QWindow* open_benchmark_window() {
  using namespace zorikan;
  if (!display::window_of_unit(9)) {
    open_file(9, "USER", FileStatus::kUnknown, ErrorExit::kNone, FilePosition::kStart, "latency");
    WindowConfig config;
    config.pixel_width = 320;
    config.pixel_height = 200;
    config.text_columns = config.text_rows = config.color_count = -1;
    config.font_size = -1;
    set_window_config(config);
    register_mouse_handler(9, 27, &store_key_state);
  }
  QWindow* handle = nullptr;
  display::run_on_gui(
      [&] { handle = display::child_view_of(*display::window_of_unit(9)).canvas->window()->windowHandle(); });
  return handle;
}

void BM_PressUntilProgramThreadSeesIt(benchmark::State& state) {
  QWindow* window = open_benchmark_window();
  bool press = true;
  for (auto _ : state) {
    const int32_t expected = press ? 1 : 0;
    zorikan::display::post_to_gui([window, press] {
      g_injected_at = Clock::now().time_since_epoch().count();
      const QPoint inside(60, 80);
      if (press) {
        QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, inside);
      } else {
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, inside);
      }
    });
    while (g_key_state.load() != expected) {
    }
    const auto seen = Clock::now().time_since_epoch().count();
    state.SetIterationTime(
        std::chrono::duration<double>(Clock::duration(seen - g_injected_at.load())).count());
    press = !press;
  }
}
BENCHMARK(BM_PressUntilProgramThreadSeesIt)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
