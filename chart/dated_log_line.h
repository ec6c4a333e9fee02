// Reading the results log line by line for the chart: each line with the date and time of its record.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace zorikan {

struct RecordDate {
  int32_t day = 0;
  int32_t month = 0;
  int32_t year = 0;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
};

// The record's handling by a pass, with the line in `line`; false when the pass ends at it because a
// value of the line does not read.
using TakeRecord = bool (*)(const RecordDate& date);

// Reads the log open on kResultsLogUnit, its header line read already, into `line` (each line cut to
// its length, blank-padded) and hands each record with its date and time to `take`, up to the end of
// the file. A line that ends the pass before it is noted in chart_state.stop (note_pass_stop): a blank
// line, date or time columns that do not read as numbers, a date that is no calendar date, a record
// that `take` refuses.
void read_dated_lines(std::span<char> line, TakeRecord take);

// Columns 48-49 of a log line: kVisionRecordMark, kTrainingRecordMark, or the text of another kind.
std::string_view record_kind(std::string_view line);

// Days from 1900-01-01 to the record's day; only for a date handed to a TakeRecord.
int32_t record_day_number(const RecordDate& date);

}  // namespace zorikan
