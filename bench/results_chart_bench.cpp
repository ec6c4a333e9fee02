// The results chart over a generated zorikan.rtr of 1,000 and 100,000 records (training runs and vision
// checks in turn, 55 a day, so 100,000 span five years), against reading the same file's lines alone.
// Counters: "x_read_lines", the chart's time over the line reading's, measured in the same run (target:
// at most 3); "rss_growth_kB", how much the process's peak resident size grew while the chart ran (the
// two passes stream, so it does not grow with the number of records).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QImage>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "calendar/calendar_date.h"
#include "chart/draw_axes.h"
#include "chart/grid_walk.h"
#include "chart/plot_frames.h"
#include "chart/show_results_chart.h"
#include "chart/world_to_pixel.h"
#include "common/file_units.h"
#include "display/display.h"
#include "display/input_signal.h"
#include "display/window_registry.h"
#include "services/color_table.h"
#include "services/graphics_window.h"
#include "services/results_log.h"
#include "services/shared_words.h"
#include "services/window_registration.h"

namespace {

using namespace zorikan;
using Clock = std::chrono::steady_clock;

std::string log_line(const Format& layout, OutputList values) {
  std::array<char, kResultsLogLineLength> text;
  format_to_text(text, layout, values);
  const std::string line(text.data(), text.size());
  return line.substr(0, line.find_last_not_of(' ') + 1) + "\r\n";
}

// A working directory of its own holding a log of `records` records.
void enter_log_directory(int64_t records) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("zorikan_chart_bench_" + std::to_string(records));
  std::filesystem::create_directories(dir);
  std::filesystem::current_path(dir);
  if (std::filesystem::exists(kResultsLogName)) return;
  std::ofstream out(std::string(kResultsLogName), std::ios::binary);
  out << kResultsLogHeader.view() << "\r\n";
  for (int64_t i = 0; i < records; ++i) {
    const auto day = static_cast<int32_t>(i / 55);
    const int32_t year = 2020 + day / 365, yday = day % 365;
    const int32_t month = 1 + yday / 31 % 12, mday = 1 + yday % 28, hour = static_cast<int32_t>(i % 24);
    if (i % 3 == 0) {
      out << log_line(kVisionRecordLayout, {mday, month, year, hour, 5, 7, 60.0f, 15.6f, 1080, 1920,
                                            0.1f * static_cast<float>(i % 20)});
    } else {
      out << log_line(
          kTrainingRecordLayout,
          {mday, month, year, hour, 5, 7, 300.0f + static_cast<float>(i % 200),
           static_cast<int32_t>(2 + i % 8), 100, 90, 5, 5, i % 17 == 0 ? kNoMeanAnswerTime : 1.25f, 20});
    }
  }
}

void use_chart_window() {
  static const auto window = [] {
    auto created = display::create_window(kGraphicsUnit, "chart");
    created->surface = QImage(kGraphicsWidth, kGraphicsHeight, QImage::Format_RGB32);
    created->surface.fill(0xFFFFFFFF);
    return created;
  }();
  display::set_thread_active_window(window);
  static const bool ready = [] {
    register_window(kGraphicsUnit, kGraphicsWidth, kGraphicsHeight);
    fill_default_colors();
    return init_fonts() > 0;
  }();
  benchmark::DoNotOptimize(ready);
}

double read_lines_seconds() {
  std::array<char, kResultsLogLineLength> line;
  const auto start = Clock::now();
  open_file(kResultsLogUnit, kResultsLogName, FileStatus::kOld, ErrorExit::kReturn);
  while (read_line(kResultsLogUnit, line, ErrorExit::kReturn).ok()) benchmark::DoNotOptimize(line.data());
  close_file(kResultsLogUnit, ErrorExit::kReturn);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

long peak_rss_kb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// The chart, with a user who clicks as soon as the prompt waits.
double chart_seconds() {
  std::atomic<bool> done = false;
  std::thread user([&] {
    while (!done) {
      click_flag = 1;
      display::signal_input();
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
  });
  const auto start = Clock::now();
  show_results_chart();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  done = true;
  user.join();
  return seconds;
}

void BM_ReadLogLines(benchmark::State& state) {
  enter_log_directory(state.range(0));
  for (auto _ : state) state.SetIterationTime(read_lines_seconds());
}
BENCHMARK(BM_ReadLogLines)->Arg(1000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ResultsChart(benchmark::State& state) {
  enter_log_directory(state.range(0));
  use_chart_window();
  chart_seconds();  // fonts and the surface settle outside the measurement
  const long rss_before = peak_rss_kb();
  double chart = 0, lines = 1e9;
  for (auto _ : state) {
    const double seconds = chart_seconds();
    state.SetIterationTime(seconds);
    chart += seconds;
    lines = std::min(lines, read_lines_seconds());
  }
  state.counters["x_read_lines"] = chart / static_cast<double>(state.iterations()) / lines;
  state.counters["rss_growth_kB"] = static_cast<double>(peak_rss_kb() - rss_before);
  state.counters["peak_rss_MB"] = static_cast<double>(peak_rss_kb()) / 1024;
}
BENCHMARK(BM_ResultsChart)->Arg(1000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

// The day grid of a log whose dates lie ten thousand years apart: 3.65 million days on the frame's 897
// columns. Arg 0 adds the positions one by one, arg 1 jumps those inside a column (what draw_axes does).
void BM_DayGridOverTenThousandYears(benchmark::State& state) {
  plot_frame(1, 1) = PlotFrame{.pixel_left = 40,
                               .pixel_bottom = 612,
                               .pixel_width = 897,
                               .pixel_height = 325,
                               .world_x_min = 0,
                               .world_y_min = 0,
                               .world_x_max = 3.1557e11f,
                               .world_y_max = 1};
  const auto order = state.range(0) == 0 ? GridIndexOrder::kUnknown : GridIndexOrder::kMonotone;
  const auto day = static_cast<float>(kSecondsPerDay);
  int64_t columns = 0;
  for (auto _ : state) {
    columns = 0;
    walk_grid_lines(
        0, day, grid_line_count(day, 0, 3.1557e11f), order,
        [](float x) {
          int32_t column = 0, row = 0;
          world_to_pixel(1, 1, x, 0, column, row);
          return column;
        },
        [&](float) { ++columns; });
  }
  state.counters["columns"] = static_cast<double>(columns);
}
BENCHMARK(BM_DayGridOverTenThousandYears)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
