// The start screen's timing on the real clock: one sweep step at a time in a real 980 x 650 window, with
// the time-and-sound service wrapped so that its calls are timed. Counters, in seconds:
//   blank_s   how long the grey blank's pause really lasted (1.000 wanted)
//   period_s  from the first to the last clock read of the display period (5.000 wanted)
//   reads     clock reads in the display period: a handful when the wait rests, tens of thousands when
//             it polls
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "bench/bench_support.h"
#include "display/display.h"
#include "display/time_sound_service.h"
#include "services/graphics_window.h"
#include "services/window_size.h"
#include "session/glyph_file.h"
#include "session/open_graphics_window.h"
#include "session/sweep_step.h"

namespace {

using Clock = std::chrono::steady_clock;

// Forwards to the real service and notes the real length of each pause and the clock reads.
class TimedService final : public zorikan::display::TimeSoundService {
 public:
  explicit TimedService(TimeSoundService& real) : real_(real) {}

  double epoch_seconds() override { return real_.epoch_seconds(); }
  double steady_seconds() override {
    const double now = real_.steady_seconds();
    if (reads == 0) first_read = now;
    last_read = now;
    ++reads;
    return now;
  }
  zorikan::display::LocalTime local_time() override { return real_.local_time(); }
  void sleep_ms(int32_t milliseconds) override {
    const auto start = Clock::now();
    real_.sleep_ms(milliseconds);
    pause_seconds = std::chrono::duration<double>(Clock::now() - start).count();
  }
  void beep(int32_t frequency_hz, int32_t duration_ms) override { real_.beep(frequency_hz, duration_ms); }
  void wait_for_input(double deadline_seconds, uint64_t seen) override {
    real_.wait_for_input(deadline_seconds, seen);
  }

  void reset() { reads = 0; }

  double pause_seconds = 0;
  double first_read = 0;
  double last_read = 0;
  int64_t reads = 0;

 private:
  TimeSoundService& real_;
};

void open_start_screen_window() {
  static const bool opened = [] {
    zorikan::open_graphics_window(zorikan::kGraphicsUnit, zorikan::kGraphicsHeight, zorikan::kGraphicsWidth,
                                  "sweep");
    zorikan::WindowConfig config;
    zorikan::get_window_config(config);
    zorikan::window_nx = config.pixel_width;
    zorikan::window_ny = config.pixel_height;
    zorikan::bench::load_shipped_glyphs();
    return true;
  }();
  benchmark::DoNotOptimize(opened);
}

void BM_SweepStepOnTheRealClock(benchmark::State& state) {
  open_start_screen_window();
  if (zorikan::window_nx != zorikan::kGraphicsWidth || zorikan::window_ny != zorikan::kGraphicsHeight) {
    state.SkipWithError("the window was not granted the size asked for it");
    return;
  }
  TimedService timed(zorikan::display::time_sound_service());
  zorikan::display::set_time_sound_service(&timed);
  double worst_blank_error = 0;
  double worst_period_error = 0;
  for (auto _ : state) {
    timed.reset();
    zorikan::show_sweep_step(static_cast<int32_t>(state.range(0)));
    worst_blank_error = std::max(worst_blank_error, std::abs(timed.pause_seconds - 1.0));
    worst_period_error = std::max(worst_period_error, std::abs(timed.last_read - timed.first_read - 5.0));
  }
  zorikan::display::set_time_sound_service(nullptr);
  state.counters["blank_s"] = timed.pause_seconds;
  state.counters["period_s"] = timed.last_read - timed.first_read;
  state.counters["worst_blank_error_ms"] = worst_blank_error * 1e3;
  state.counters["worst_period_error_ms"] = worst_period_error * 1e3;
  state.counters["reads"] = static_cast<double>(timed.reads);
}
BENCHMARK(BM_SweepStepOnTheRealClock)->Arg(2)->Arg(5)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
