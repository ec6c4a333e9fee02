// The results chart: two passes over zorikan.rtr (the range of days, then the plot), drawn over what
// window 1 shows, then a wait for a click.
//
// Frame 1 (acuity) and frame 2 (training) span the days of the log in x (world x in seconds from the
// start of the earliest day) and 0..1 in y, with a dotted grid line at every day boundary and every
// 0.2. When nothing ever gave the chart a range (an empty log on the first call), the frames span one
// day, so that nothing is divided by an empty box.
#include "chart/show_results_chart.h"

#include "chart/activate_window.h"
#include "chart/chart_state.h"
#include "chart/chart_texts.h"
#include "chart/draw_axes.h"
#include "chart/plot_frames.h"
#include "chart/plot_pass.h"
#include "chart/range_pass.h"
#include "display/display.h"
#include "session/color_table.h"
#include "session/shared_words.h"

namespace zorikan {
namespace {

constexpr int32_t kChartUnit = 1;
constexpr int32_t kBlack = 7;
constexpr float kDay = 86400;

void draw_frames() {
  select_color(kBlack);
  define_frame(kChartUnit, 1, 10, 110, 220, 60);
  define_frame(kChartUnit, 2, 10, 10, 220, 90);
  chart_state.range_span = static_cast<float>(chart_state.range_end - chart_state.range_start);
  const float span = chart_state.range_span > 0 ? chart_state.range_span : kDay;
  for (int32_t f : {1, 2}) {
    set_frame_world(kChartUnit, f, 0, span, 0, 1);
    draw_axes(kChartUnit, f, kDay, 0.2f);
  }
}

// Until a mouse event: the press itself ends the wait.
void wait_for_click() {
  click_flag = 0;
  while (click_flag == 0) wait_for_input(kNoDeadline);
  click_flag = 0;
}

}  // namespace

void draw_results_chart() {
  set_text_cursor(0);
  chart_state.stopping_line = 0;
  if (!run_range_pass()) return;
  draw_frames();
  draw_scale_texts();
  draw_range_stamps();
  run_plot_pass();
  draw_stopping_line_note();
}

void show_results_chart() {
  draw_results_chart();
  draw_prompt();
  wait_for_click();
  activate_window(kChartUnit, kChartUnit);
}

}  // namespace zorikan
