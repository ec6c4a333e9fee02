// Fuzz target: the results chart's two passes (range, then plot) over a whole fuzzed zorikan.rtr, with
// the frames, scales, stamps and notes drawn into a window on Qt's offscreen platform. The window is a
// tenth of the program's 980 x 650 in each direction: the chart maps its text units onto whatever size
// the window has, so the readers and the plotting arithmetic run as they do at full size while the
// lines cost a tenth of the pixels.
#include <QApplication>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "chart/chart_state.h"
#include "chart/plot_frames.h"
#include "chart/show_results_chart.h"
#include "common/file_units.h"
#include "display/display.h"
#include "display/window_registry.h"
#include "fuzz/fuzz_support.h"
#include "services/color_table.h"
#include "services/results_log.h"
#include "services/window_registration.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  using namespace zorikan;
  fuzz::enter_fuzz_work_dir();
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  new QApplication(*argc, *argv);
  auto window = display::create_window(1, "chart");
  if (!window) std::abort();
  window->surface = QImage(98, 65, QImage::Format_RGB32);
  display::set_thread_active_window(window);
  register_window(1, 98, 65);
  fill_default_colors();
  if (init_fonts() <= 0) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorikan;
  fuzz::write_input_file(kResultsLogName, fuzz::as_text(data, size));
  chart_state = ChartState{};
  plot_frames = {};
  try {
    draw_results_chart();
  } catch (const fuzz::ProgramEnded&) {
    close_file(kResultsLogUnit, ErrorExit::kReturn);
  }
  return 0;
}
