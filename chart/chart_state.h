// The results chart's state: static, program-wide, kept from one call to the next; a call that finds
// records sets every value afresh, a call that finds none leaves the range and the stamps as they were.
#pragma once

#include <array>
#include <cstdint>

#include "services/results_log.h"

namespace zorikan {

// Day, month, year, hour and minute of a record, as the start and end stamps show them.
struct RecordStamp {
  int32_t day = 0;
  int32_t month = 0;
  int32_t year = 0;
  int32_t hour = 0;
  int32_t minute = 0;
};

struct VisionPoint {
  float x = 0;  // seconds from range_start
  float distance = 0;
  float acuity = 0;
};

struct TrainingPoint {
  float x = 0;  // seconds from range_start
  float distance = 0;
  int32_t pattern_size = 0;
  int32_t images = 0;
  int32_t pushups = 0;
};

// The last point of the mean-time curve: runs in which nothing was answered have no mean time and are
// not on it.
struct MeanTimePoint {
  bool exists = false;
  float x = 0;
  float mean_time = 0;
};

// Why a pass over the log ended before the end of the file.
enum class StopReason {
  kNotACalendarDate,  // the date reads, but as no day of the calendar
  kUnreadableField,   // date or time columns, or a value of a known kind, that do not read as numbers
  kBlankLine,
};

// The first line of zorikan.rtr (1 the header) at which a pass of this call ended early; line 0: none.
struct PassStop {
  int32_t line = 0;
  StopReason reason = StopReason::kNotACalendarDate;
};

struct ChartState {
  // Records read: set to 0 by the range pass, which counts its records; the plot pass counts on from the
  // range pass's total.
  int32_t record_count = 0;
  double range_start = 0;    // seconds from 1900-01-01 to the start of the earliest day in the log
  double range_end = 0;      // the same for the latest day, then the end of that day
  RecordStamp first_stamp;   // of the record that set range_start (the first in the file on that day)
  RecordStamp last_stamp;    // of the record that set range_end
  float range_span = 0;      // range_end - range_start, seconds
  std::array<char, kResultsLogLineLength> line = {};  // the current log line, blank-padded
  VisionPoint previous_vision;
  TrainingPoint previous_training;
  MeanTimePoint previous_mean_time;
  int32_t vision_count = 0;  // records of each kind plotted in this call
  int32_t training_count = 0;
  PassStop stop;  // of either pass; the earlier line wins
  // Whether the range pass read a vision check with an acuity above 1: frame 1 then spans 0..2.
  bool acuity_above_one = false;
};

// Keeps the stop at `line` when no pass has stopped at an earlier one.
void note_pass_stop(int32_t line, StopReason reason);

// Program thread only.
extern ChartState chart_state;

}  // namespace zorikan
