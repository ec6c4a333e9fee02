// The range pass; see range_pass.h.
#include "chart/range_pass.h"

#include <string_view>

#include "calendar/calendar_date.h"
#include "chart/chart_state.h"
#include "chart/dated_log_line.h"
#include "common/file_units.h"
#include "services/results_log.h"

namespace zorikan {
namespace {

RecordStamp stamp_of(const RecordDate& date) {
  return {date.day, date.month, date.year, date.hour, date.minute};
}

// Frame 1 spans 0..2 once an acuity above 1 reads; one that does not read leaves the scale as it is
// (the plot pass stops at its line).
void take_acuity(ChartState& s) {
  const std::string_view line(s.line.data(), s.line.size());
  if (s.acuity_above_one || record_kind(line) != kVisionRecordMark) return;
  float distance = 0;
  float acuity = 0;
  if (parse_text(line, kVisionFieldsReadLayout, {&distance, &acuity}, ErrorExit::kReturn).ok() && acuity > 1)
    s.acuity_above_one = true;
}

bool take_into_range(const RecordDate& date) {
  ChartState& s = chart_state;
  take_acuity(s);
  ++s.record_count;
  const double t = record_day_number(date) * kSecondsPerDay;
  if (s.record_count == 1) {
    s.range_start = s.range_end = t;
    s.first_stamp = s.last_stamp = stamp_of(date);
  }
  if (t < s.range_start) {
    s.range_start = t;
    s.first_stamp = stamp_of(date);
  }
  if (t > s.range_end) {
    s.range_end = t;
    s.last_stamp = stamp_of(date);
  }
  return true;
}

}  // namespace

bool run_range_pass() {
  if (!open_file(kResultsLogUnit, kResultsLogName, FileStatus::kOld, ErrorExit::kReturn).ok()) return false;
  ChartState& s = chart_state;
  s.record_count = 0;
  s.acuity_above_one = false;
  if (read_line(kResultsLogUnit, s.line, ErrorExit::kReturn).ok()) {
    read_dated_lines(s.line, take_into_range);
    s.range_end += kSecondsPerDay;
  }
  close_file(kResultsLogUnit, ErrorExit::kReturn);
  return true;
}

}  // namespace zorikan
