// The results chart: two passes over zorikan.rtr (the range of days, then the plot), drawn on window 1
// cleared to white, then a wait for a click.
//
// The window is cleared first, so that the black frames, grid and stamps do not vanish in the start
// screen's grating. Frame 1 (acuity) and frame 2 (training) span the days of
// the log in x (world x in seconds from the start of the earliest day) and 0..1 in y, frame 1 0..2
// when an acuity above 1 is in the log (acuities of 1.0 to 1.6 are common, and would all lie on the
// top edge). The dotted grid has five rows per frame and a line at every day boundary, or at every
// week, month or year where days would crowd. When nothing ever gave the chart a range (an empty log
// on the first call), the frames span one day, so that nothing is divided by an empty box.
#include "chart/show_results_chart.h"

#include "calendar/calendar_date.h"
#include "chart/activate_window.h"
#include "chart/chart_state.h"
#include "chart/chart_texts.h"
#include "chart/day_grid.h"
#include "chart/plot_frames.h"
#include "chart/plot_pass.h"
#include "chart/range_pass.h"
#include "common/real_to_integer.h"
#include "display/display.h"
#include "services/color_table.h"
#include "services/graphics_window.h"
#include "services/wait_for_click.h"
#include "services/window_registration.h"

namespace zorikan {
namespace {

void clear_window() {
  const WindowRegistration& window = window_registration[kGraphicsUnit];
  select_color(kWhiteEntry);
  draw_rectangle(kFilled, 0, 0, static_cast<int16_t>(truncate_int(window.pixel_width) - 1),
                 static_cast<int16_t>(truncate_int(window.pixel_height) - 1));
}

void draw_frames() {
  select_color(kBlackEntry);
  define_frame(kGraphicsUnit, 1, 10, 110, 220, 60);
  define_frame(kGraphicsUnit, 2, 10, 10, 220, 90);
  chart_state.range_span = static_cast<float>(chart_state.range_end - chart_state.range_start);
  const float span = chart_state.range_span > 0 ? chart_state.range_span : static_cast<float>(kSecondsPerDay);
  // The grid rows stay at the same five heights whichever the acuity scale.
  const float acuity_top = chart_state.acuity_above_one ? 2 : 1;
  set_frame_world(kGraphicsUnit, 1, 0, span, 0, acuity_top);
  set_frame_world(kGraphicsUnit, 2, 0, span, 0, 1);
  const auto first_day = static_cast<int64_t>(chart_state.range_start / kSecondsPerDay);
  draw_time_axes(kGraphicsUnit, 1, first_day, 0.2f * acuity_top);
  draw_time_axes(kGraphicsUnit, 2, first_day, 0.2f);
}

}  // namespace

void draw_results_chart() {
  set_text_cursor(0);
  clear_window();
  chart_state.stop = {};
  if (!run_range_pass()) {
    draw_no_history_line();
    return;
  }
  const bool no_records = chart_state.record_count == 0 && chart_state.stop.line == 0;
  draw_frames();
  draw_scale_texts();
  draw_range_stamps();
  run_plot_pass();
  draw_pass_stop_note();
  if (no_records) draw_no_history_line();
}

void show_results_chart() {
  draw_results_chart();
  draw_prompt();
  wait_for_click();
  activate_window(kGraphicsUnit, kGraphicsUnit);
}

}  // namespace zorikan
