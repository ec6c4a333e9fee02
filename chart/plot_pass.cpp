// The plot pass; see plot_pass.h.
//
// Frame 1 is the acuity, in a world box of 0..1 or 0..2 (set with the frames). In frame 2 each curve is
// scaled by its full-scale value onto 0..1: 200 images, 500 cm, pattern size 10, 5 s, 50 push-ups. Values
// beyond a frame's world box are drawn on its edge. Each segment runs back to the previous record of its kind
// in the file; the first record of a call is its own predecessor.
#include "chart/plot_pass.h"

#include <string_view>

#include "calendar/calendar_date.h"
#include "chart/chart_state.h"
#include "chart/curve_colors.h"
#include "chart/dated_log_line.h"
#include "chart/plot_move_draw.h"
#include "common/file_units.h"
#include "services/color_table.h"
#include "services/graphics_window.h"
#include "services/results_log.h"

namespace zorikan {
namespace {

constexpr int32_t kAcuityFrame = 1;
constexpr int32_t kTrainingFrame = 2;

constexpr float kFullImages = 200;
constexpr float kFullDistance = 500;
constexpr float kFullSize = 10;
constexpr float kFullMeanTime = 5;
constexpr float kFullPushups = 50;

// A segment in frame f from (x1, y1) to (x2, y2), in the colour of the table entry.
void segment(int32_t f, int32_t color, float x1, float y1, float x2, float y2) {
  select_color(color);
  plot_move_draw(kGraphicsUnit, f, x1, y1, kPenUp);
  plot_move_draw(kGraphicsUnit, f, x2, y2, kPenDown);
}

// False when the values do not read.
bool plot_vision_record(float x) {
  ChartState& s = chart_state;
  ++s.vision_count;
  VisionPoint point{x, 0, 0};
  const std::string_view line(s.line.data(), s.line.size());
  if (!parse_text(line, kVisionFieldsReadLayout, {&point.distance, &point.acuity}, ErrorExit::kReturn).ok())
    return false;
  if (s.vision_count == 1) s.previous_vision = point;
  select_color(kAcuityColor);
  plot_move_draw(kGraphicsUnit, kAcuityFrame, x, 0, kPenUp);
  plot_move_draw(kGraphicsUnit, kAcuityFrame, x, point.acuity, kPenDown);
  plot_move_draw(kGraphicsUnit, kAcuityFrame, s.previous_vision.x, s.previous_vision.acuity, kPenDown);
  s.previous_vision = point;
  return true;
}

// The mean-time curve joins the runs that have a mean time; a run in which nothing was answered
// (a negative mean time) draws no segment and leaves the curve's last point as it was.
void plot_mean_time(float x, float mean_time) {
  MeanTimePoint& previous = chart_state.previous_mean_time;
  if (mean_time < 0) return;
  if (!previous.exists) previous = {true, x, mean_time};
  segment(kTrainingFrame, kMeanTimeColor, x, mean_time / kFullMeanTime, previous.x,
          previous.mean_time / kFullMeanTime);
  previous = {true, x, mean_time};
}

// False when the values do not read.
bool plot_training_record(float x) {
  ChartState& s = chart_state;
  ++s.training_count;
  TrainingPoint point{x, 0, 0, 0, 0};
  float mean_time = 0;
  const std::string_view line(s.line.data(), s.line.size());
  if (!parse_text(line, kTrainingFieldsReadLayout,
                  {&point.distance, &point.pattern_size, &point.images, &mean_time, &point.pushups},
                  ErrorExit::kReturn)
           .ok())
    return false;
  if (s.training_count == 1) s.previous_training = point;
  const TrainingPoint& previous = s.previous_training;
  segment(kTrainingFrame, kImagesColor, x, 0, x, static_cast<float>(point.images) / kFullImages);
  segment(kTrainingFrame, kDistanceColor, x, point.distance / kFullDistance, previous.x,
          previous.distance / kFullDistance);
  segment(kTrainingFrame, kSizeColor, x, static_cast<float>(point.pattern_size) / kFullSize, previous.x,
          static_cast<float>(previous.pattern_size) / kFullSize);
  plot_mean_time(x, mean_time);
  segment(kTrainingFrame, kPushupsColor, x, static_cast<float>(point.pushups) / kFullPushups, previous.x,
          static_cast<float>(previous.pushups) / kFullPushups);
  s.previous_training = point;
  return true;
}

// Plots one dated line; false when the pass ends at it.
bool plot_record(const RecordDate& date) {
  ChartState& s = chart_state;
  const double t =
      record_day_number(date) * kSecondsPerDay + date.hour * 3600.0 + date.minute * 60.0 + date.second;
  const auto x = static_cast<float>(t - s.range_start);
  ++s.record_count;
  const std::string_view kind = record_kind(std::string_view(s.line.data(), s.line.size()));
  if (kind == kVisionRecordMark) return plot_vision_record(x);
  if (kind == kTrainingRecordMark) return plot_training_record(x);
  return true;
}

}  // namespace

void run_plot_pass() {
  ChartState& s = chart_state;
  if (!open_file(kResultsLogUnit, kResultsLogName, FileStatus::kOld, ErrorExit::kReturn).ok()) return;
  if (read_line(kResultsLogUnit, s.line, ErrorExit::kReturn).ok()) {
    s.vision_count = s.training_count = 0;
    s.previous_mean_time = {};
    read_dated_lines(s.line, plot_record);
  }
  close_file(kResultsLogUnit, ErrorExit::kReturn);
}

}  // namespace zorikan
