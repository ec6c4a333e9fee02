// Calendar date rules and the day count from the two month tables; see calendar_date.h.
#include "calendar/calendar_date.h"

#include <array>
#include <limits>

namespace zorikan {
namespace {

// Indexed by month 1..12; index 0 is unused.
// Days before the month in a common year, minus 1.
constexpr std::array<int64_t, 13> kDaysBeforeMonthMinusOne = {0,   -1,  30,  58,  89,  119, 150,
                                                              180, 211, 242, 272, 303, 333};
// Days from the first of the month to the end of a common year, plus 1.
constexpr std::array<int64_t, 13> kDaysToYearEndPlusOne = {0,   366, 335, 307, 276, 246, 215,
                                                           185, 154, 123, 93,  62,  32};

constexpr int32_t kReformYear = 1582;

int32_t month_length(int32_t month, int32_t year) {
  switch (month) {
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    case 2:
      return is_leap_year(year) ? 29 : 28;
    default:
      return 31;
  }
}

}  // namespace

bool is_leap_year(int32_t year) {
  if (year % 4 != 0) return false;
  if (year <= kReformYear) return true;
  return year % 100 != 0 || year % 400 == 0;
}

uint32_t calendar_date_faults(int32_t day, int32_t month, int32_t year) {
  uint32_t faults = 0;
  const bool month_valid = month >= 1 && month <= 12;
  if (!month_valid) faults |= kMonthOutOfRange;
  if (day < 1) faults |= kDayBelowOne;
  if (year == 0) return faults | kYearZero;
  if (year == kReformYear && month == 10 && day >= 5 && day <= 14) return faults | kReformGapDay;
  if (month_valid && day > month_length(month, year)) faults |= kDayBeyondMonth;
  if (faults != 0) return faults;
  const int64_t days = day_count(day, month, year);
  if (days < std::numeric_limits<int32_t>::min() || days > std::numeric_limits<int32_t>::max())
    faults |= kDayCountOutOfRange;
  return faults;
}

int64_t day_count(int64_t day, int32_t month, int32_t year) {
  const bool leap = is_leap_year(year);
  if (year >= 1900) {
    const int64_t c = int64_t{year} - 1900;
    // Leap years from 1901 to the year inclusive.
    const int64_t leaps = c / 4 - c / 100 + (c >= 100 ? (c - 100) / 400 + 1 : 0);
    int64_t days = 365 * (c - leaps) + 366 * leaps + kDaysBeforeMonthMinusOne[month] + day;
    if (leap && month <= 2) days -= 1;
    return days;
  }
  const int64_t a = 1900 - int64_t{year};
  // Leap years from the year to 1899, by the Julian rule with the Gregorian exceptions 1700 and 1800; a
  // negative year counts the year 0 here as a leap year, taken out below.
  const int64_t leaps = a / 4 - (a >= 200 ? 2 : a / 100);
  int64_t days_before = 365 * (a - leaps) + 366 * leaps + kDaysToYearEndPlusOne[month] - day - 365;
  const bool before_reform =
      year < kReformYear || (year == kReformYear && (month <= 9 || (month == 10 && day <= 4)));
  if (before_reform) days_before -= 10;
  if (year < 0) days_before -= 366;
  if (leap && month > 2) days_before -= 1;
  return -days_before;
}

}  // namespace zorikan
