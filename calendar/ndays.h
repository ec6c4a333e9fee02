// NDAYS: the day number of a calendar date, days from 1900-01-01 (0 for that day, negative before it).
//
// Calendar: proleptic Gregorian from 1582-10-15 on, Julian (every fourth year a leap year) up to
// 1582-10-04; 1582-10-05 to 1582-10-14 do not exist. Years before the common era are negative, -1 being
// the year before 1; there is no year 0.
//
// An invalid date (calendar/calendar_date.h tells the faults) is a terminal error on the error stack
// (calendar/error_stack.h): it is printed and the program stops when NDAYS returns. Codes: 1 month
// outside 1..12, 2 day below 1, 3 year 0, 4 a day of the calendar reform gap, 5 day beyond the month's end, 6
// a date whose day number does not fit in 32 bits (years beyond about 5.8 million either way). A year before
// -45 is a note (code 1), printed but harmless.
#pragma once

#include <cstdint>

namespace zorikan {

// Returns 0 after an error, which with the stop in place is never seen.
int32_t NDAYS(int32_t IDAY, int32_t MONTH, int32_t IYEAR);

}  // namespace zorikan
