// A mouse press until the program thread, waiting as the program's loops wait (wait_for_input after each
// look at the word), sees the store of the program's mouse routine:
// - injected through the window system's event path on the GUI thread (any platform);
// - injected through the X server with XTest, at random moments (under Xvfb: QT_QPA_PLATFORM=xcb and
//   DISPLAY set; skipped otherwise). Its median_us and max_us counters are the reaction figures.
#include <QGuiApplication>
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
std::atomic<Clock::rep> g_routine_ran_at{0};  // when the mouse routine last ran (GUI thread)

void store_key_state(int32_t&, int32_t&, int32_t& key_state, int32_t&, int32_t&) {
  g_routine_ran_at = Clock::now().time_since_epoch().count();
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
    while (g_key_state.load() != expected) zorikan::wait_for_input(zorikan::kNoDeadline);
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

#ifdef ZORIKAN_HAVE_XTEST
// X11's headers define macros (None, Bool, Status ...) that clash with Qt's: they come last.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <random>
#include <thread>
#include <vector>

namespace {

void BM_XTestPressUntilProgramThreadSeesIt(benchmark::State& state) {
  if (QGuiApplication::platformName() != "xcb") {
    state.SkipWithError("needs the xcb platform (run under Xvfb with QT_QPA_PLATFORM=xcb)");
    return;
  }
  QWindow* window = open_benchmark_window();
  QPoint inside;
  zorikan::display::run_on_gui([&] { inside = window->mapToGlobal(QPoint(60, 80)); });
  ::Display* x_display = XOpenDisplay(nullptr);
  if (x_display == nullptr) {
    state.SkipWithError("cannot connect to the X server");
    return;
  }
  XTestFakeMotionEvent(x_display, -1, inside.x(), inside.y(), 0);
  XSync(x_display, 0);

  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> pause_us(2'000, 30'000);
  // Microseconds from the injection, and from the mouse routine's store, until the program thread saw it.
  std::vector<double> from_injection;
  std::vector<double> from_routine;
  bool press = true;
  for (auto _ : state) {
    // At a random moment, so the press falls anywhere in the program thread's rest.
    std::this_thread::sleep_for(std::chrono::microseconds(pause_us(random)));
    const int32_t expected = press ? 1 : 0;
    const auto injected = Clock::now();
    XTestFakeButtonEvent(x_display, 1, press ? 1 : 0, 0);
    XFlush(x_display);
    while (g_key_state.load() != expected) zorikan::wait_for_input(zorikan::kNoDeadline);
    const auto seen = Clock::now();
    const double seconds = std::chrono::duration<double>(seen - injected).count();
    state.SetIterationTime(seconds);
    from_injection.push_back(seconds * 1e6);
    const auto since_routine = seen.time_since_epoch() - Clock::duration(g_routine_ran_at.load());
    from_routine.push_back(std::chrono::duration<double, std::micro>(since_routine).count());
    press = !press;
  }
  if (!press) {
    XTestFakeButtonEvent(x_display, 1, 0, 0);
    XFlush(x_display);
  }
  XCloseDisplay(x_display);
  // The X server and the toolkit's delivery to the GUI thread take most of the first figure; the second
  // is the program thread's own wake-up.
  std::sort(from_injection.begin(), from_injection.end());
  std::sort(from_routine.begin(), from_routine.end());
  state.counters["median_us"] = from_injection[from_injection.size() / 2];
  state.counters["max_us"] = from_injection.back();
  state.counters["wake_median_us"] = from_routine[from_routine.size() / 2];
  state.counters["wake_max_us"] = from_routine.back();
}
BENCHMARK(BM_XTestPressUntilProgramThreadSeesIt)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(200);

}  // namespace
#endif
