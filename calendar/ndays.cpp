// NDAYS: date validation through the error stack, then the day count from the two month tables.
#include "calendar/ndays.h"

#include <array>
#include <limits>

#include "calendar/error_stack.h"

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

// Julian rule up to the reform year, Gregorian after it. The remainder keeps the sign of the year, so
// -4, -8, ... are leap years and -1 is not.
bool is_leap_year(int32_t year) {
  if (year % 4 != 0) return false;
  if (year <= kReformYear) return true;
  return year % 100 != 0 || year % 400 == 0;
}

// Records every error of the date; true when one of them is worse than a note.
bool date_is_invalid(int32_t IDAY, int32_t MONTH, int32_t IYEAR) {
  bool invalid = false;
  if (MONTH < 1 || MONTH > 12) {
    e1_set_ints(MONTH, 1, 12);
    e1_set_names("MONTH");
    E1MES(kErrorTerminal, 1,
          "%(L1) = %(I1).  %(L1) must be greater than or equal to %(I2) and less than or equal to %(I3).");
    invalid = true;
  }
  if (IDAY < 1) {
    e1_set_ints(IDAY, 1);
    e1_set_names("IDAY");
    E1MES(kErrorTerminal, 2, "%(L1) = %(I1).  %(L1) must be greater than or equal to %(I2).");
    invalid = true;
  }
  if (IYEAR == 0) {
    E1MES(kErrorTerminal, 3, "IYEAR = 0.  IYEAR must not be equal to 0 since the year 0 does not exist.");
    return true;
  }
  if (IYEAR == kReformYear && MONTH == 10 && IDAY >= 5 && IDAY <= 14) {
    e1_set_ints(IDAY);
    E1MES(kErrorTerminal, 4,
          "IYEAR = 1582, MONTH = 10 and IDAY = %(I1).  Due to the conversion from the Julian calendar to "
          "the Gregorian calendar, October 5, 1582 through October 14, 1582 do not exist.");
    return true;
  }
  if (IYEAR < -45) {
    e1_set_ints(IYEAR);
    E1MES(kErrorNote, 1,
          "IYEAR = %(I1).  The Julian Calendar first went into use in 45 B.C. (-45).  No calendar prior to "
          "that time was as universally used nor as accurate as the Julian.  Therefore, it is assumed that "
          "the Julian Calendar was in use prior to 45 B.C.");
  }
  const bool leap = is_leap_year(IYEAR);
  switch (MONTH) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
      if (IDAY > 31) {
        e1_set_ints(MONTH, IDAY);
        E1MES(kErrorTerminal, 5,
              "IDAY = %(I2).  Since MONTH = %(I1), IDAY must be less than or equal to  31.");
        invalid = true;
      }
      break;
    case 4:
    case 6:
    case 9:
    case 11:
      if (IDAY > 30) {
        e1_set_ints(MONTH, IDAY);
        E1MES(kErrorTerminal, 5,
              "IDAY = %(I2).  Since MONTH = %(I1), IDAY must be less than or equal to 30.");
        invalid = true;
      }
      break;
    case 2:
      if (IDAY > (leap ? 29 : 28)) {
        e1_set_ints(IYEAR, IDAY);
        E1MES(
            kErrorTerminal, 5,
            leap
                ? "IDAY = %(I2).  Since MONTH = 2 and IYEAR = %(I1), IDAY must be less than or equal to 29."
                : "IDAY = %(I2).  Since MONTH = 2 and IYEAR = %(I1), IDAY must be less than or equal to 28.");
        invalid = true;
      }
      break;
    default:
      break;
  }
  return invalid;
}

// The day count of a valid date, in 64 bits: for years far from 1900 it leaves the 32-bit range.
int64_t day_count(int64_t IDAY, int32_t MONTH, int32_t IYEAR) {
  const bool leap = is_leap_year(IYEAR);
  if (IYEAR >= 1900) {
    const int64_t c = int64_t{IYEAR} - 1900;
    // Leap years from 1901 to IYEAR inclusive.
    const int64_t leaps = c / 4 - c / 100 + (c >= 100 ? (c - 100) / 400 + 1 : 0);
    int64_t days = 365 * (c - leaps) + 366 * leaps + kDaysBeforeMonthMinusOne[MONTH] + IDAY;
    if (leap && MONTH <= 2) days -= 1;
    return days;
  }
  const int64_t a = 1900 - int64_t{IYEAR};
  // Leap years from IYEAR to 1899, by the Julian rule with the Gregorian exceptions 1700 and 1800; a
  // negative IYEAR counts the year 0 here as a leap year, taken out below.
  const int64_t leaps = a / 4 - (a >= 200 ? 2 : a / 100);
  int64_t days_before = 365 * (a - leaps) + 366 * leaps + kDaysToYearEndPlusOne[MONTH] - IDAY - 365;
  const bool before_reform =
      IYEAR < kReformYear || (IYEAR == kReformYear && (MONTH <= 9 || (MONTH == 10 && IDAY <= 4)));
  if (before_reform) days_before -= 10;
  if (IYEAR < 0) days_before -= 366;
  if (leap && MONTH > 2) days_before -= 1;
  return -days_before;
}

}  // namespace

int32_t NDAYS(int32_t IDAY, int32_t MONTH, int32_t IYEAR) {
  E1PSH("NDAYS");
  int32_t result = 0;
  if (!date_is_invalid(IDAY, MONTH, IYEAR)) {
    const int64_t days = day_count(IDAY, MONTH, IYEAR);
    if (days < std::numeric_limits<int32_t>::min() || days > std::numeric_limits<int32_t>::max()) {
      e1_set_ints(IYEAR);
      E1MES(kErrorTerminal, 6,
            "IYEAR = %(I1).  The number of days from January 1, 1900 to this date does not fit in a 4-byte "
            "integer.");
    } else {
      result = static_cast<int32_t>(days);
    }
  }
  E1POP("NDAYS");
  return result;
}

}  // namespace zorikan
