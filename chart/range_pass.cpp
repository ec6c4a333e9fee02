// The range pass; see range_pass.h.
#include "chart/range_pass.h"

#include "chart/chart_state.h"
#include "chart/dated_log_line.h"
#include "common/file_units.h"
#include "training/results_log.h"

namespace zorikan {
namespace {

constexpr double kSecondsPerDay = 86400;

RecordStamp stamp_of(const RecordDate& date) {
  return {date.day, date.month, date.year, date.hour, date.minute};
}

void take_into_range(const RecordDate& date) {
  ChartState& s = chart_state;
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
}

}  // namespace

bool run_range_pass() {
  if (!open_file(kResultsLogUnit, kResultsLogName, FileStatus::kOld, ErrorExit::kReturn).ok()) return false;
  ChartState& s = chart_state;
  s.record_count = 0;
  if (read_line(kResultsLogUnit, s.line, ErrorExit::kReturn).ok()) {
    int32_t line_number = 1;
    RecordDate date;
    DatedLine read;
    while ((read = read_dated_line(s.line, date)) == DatedLine::kRecord) {
      ++line_number;
      take_into_range(date);
    }
    if (read == DatedLine::kNotACalendarDate) s.stopping_line = line_number + 1;
    s.range_end += kSecondsPerDay;
  }
  close_file(kResultsLogUnit, ErrorExit::kReturn);
  return true;
}

}  // namespace zorikan
