// Reading the results log line by line for the chart: each line with the date and time of its record.
#pragma once

#include <cstdint>
#include <span>

namespace zorikan {

struct RecordDate {
  int32_t day = 0;
  int32_t month = 0;
  int32_t year = 0;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
};

enum class DatedLine {
  kRecord,            // a line whose date is a calendar date
  kEnd,               // end of file, a read error, or date and time columns that do not read as numbers
  kNotACalendarDate,  // the columns read, but as no calendar date (a blank line reads as day 0)
};

// Reads the next line of the log open on kResultsLogUnit into `line` (cut to its length, blank-padded)
// and its record's date and time into `date`.
DatedLine read_dated_line(std::span<char> line, RecordDate& date);

// Days from 1900-01-01 to the record's day; only for a line read as kRecord.
int32_t record_day_number(const RecordDate& date);

}  // namespace zorikan
