// Calendar dates: which rules a day, month and year break, the leap-year rule and the day count of a
// valid date. NDAYS reports the faults it finds here; a reader that must not stop on a bad date (the
// results chart) asks is_calendar_date first.
//
// Calendar: proleptic Gregorian from 1582-10-15 on, Julian up to 1582-10-04; 1582-10-05 to 1582-10-14
// do not exist; there is no year 0.
#pragma once

#include <cstdint>

namespace zorikan {

// The length of a day of the day count; the calendar knows no leap seconds.
inline constexpr double kSecondsPerDay = 86400;

// Faults of a date, as bits. Year 0 and a day of the reform gap are reported alone with what was found
// before them (month, day below 1); the day beyond the month's end is looked for only after them.
inline constexpr uint32_t kMonthOutOfRange = 1;      // month outside 1..12
inline constexpr uint32_t kDayBelowOne = 2;          // day below 1
inline constexpr uint32_t kYearZero = 4;             // year 0
inline constexpr uint32_t kReformGapDay = 8;         // 1582-10-05 to 1582-10-14
inline constexpr uint32_t kDayBeyondMonth = 16;      // day after the month's last day
inline constexpr uint32_t kDayCountOutOfRange = 32;  // day number beyond 32 bits (years past ~5.8 million)

uint32_t calendar_date_faults(int32_t day, int32_t month, int32_t year);

inline bool is_calendar_date(int32_t day, int32_t month, int32_t year) {
  return calendar_date_faults(day, month, year) == 0;
}

// Julian rule up to 1582, Gregorian after it; -4, -8, ... are leap years and -1 is not.
bool is_leap_year(int32_t year);

// Days from 1900-01-01 to a date that has no fault but perhaps kDayCountOutOfRange, in 64 bits.
int64_t day_count(int64_t day, int32_t month, int32_t year);

}  // namespace zorikan
