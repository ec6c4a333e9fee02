// Reading the results log's lines with their dates; see dated_log_line.h.
#include "chart/dated_log_line.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "calendar/calendar_date.h"
#include "calendar/ndays.h"
#include "chart/chart_state.h"
#include "common/file_units.h"
#include "services/results_log.h"

namespace zorikan {
namespace {

// Why the line in `line`, just read, ends the pass; none for a record with a calendar date.
std::optional<StopReason> date_fault(std::span<const char> line, RecordDate& date) {
  if (std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; })) return StopReason::kBlankLine;
  const IoResult fields = parse_text(
      std::string_view(line.data(), line.size()), kRecordDateReadLayout,
      {&date.day, &date.month, &date.year, &date.hour, &date.minute, &date.second}, ErrorExit::kReturn);
  if (!fields.ok()) return StopReason::kUnreadableField;
  if (!is_calendar_date(date.day, date.month, date.year)) return StopReason::kNotACalendarDate;
  return std::nullopt;
}

}  // namespace

void read_dated_lines(std::span<char> line, TakeRecord take) {
  for (int32_t line_number = 2; read_line(kResultsLogUnit, line, ErrorExit::kReturn).ok(); ++line_number) {
    RecordDate date;
    if (const std::optional<StopReason> fault = date_fault(line, date)) {
      note_pass_stop(line_number, *fault);
      return;
    }
    if (!take(date)) {
      note_pass_stop(line_number, StopReason::kUnreadableField);
      return;
    }
  }
}

std::string_view record_kind(std::string_view line) {
  const LogColumns kind = log_columns::kKind;
  return line.substr(static_cast<size_t>(kind.first - 1), static_cast<size_t>(kind.last - kind.first + 1));
}

int32_t record_day_number(const RecordDate& date) {
  return NDAYS(date.day, date.month, date.year);
}

}  // namespace zorikan
