// Reading the results log's lines with their dates; see dated_log_line.h.
#include "chart/dated_log_line.h"

#include <string_view>

#include "calendar/calendar_date.h"
#include "calendar/ndays.h"
#include "common/file_units.h"
#include "training/results_log.h"

namespace zorikan {

DatedLine read_dated_line(std::span<char> line, RecordDate& date) {
  if (!read_line(kResultsLogUnit, line, ErrorExit::kReturn).ok()) return DatedLine::kEnd;
  const IoResult fields = parse_text(
      std::string_view(line.data(), line.size()), kRecordDateReadLayout,
      {&date.day, &date.month, &date.year, &date.hour, &date.minute, &date.second}, ErrorExit::kReturn);
  if (!fields.ok()) return DatedLine::kEnd;
  return is_calendar_date(date.day, date.month, date.year) ? DatedLine::kRecord
                                                           : DatedLine::kNotACalendarDate;
}

int32_t record_day_number(const RecordDate& date) {
  return NDAYS(date.day, date.month, date.year);
}

}  // namespace zorikan
