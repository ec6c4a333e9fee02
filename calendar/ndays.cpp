// NDAYS: the faults of the date reported through the error stack, then the day count.
#include "calendar/ndays.h"

#include "calendar/calendar_date.h"
#include "calendar/error_stack.h"

namespace zorikan {
namespace {

void report_day_beyond_month(int32_t IDAY, int32_t MONTH, int32_t IYEAR) {
  if (MONTH == 2) {
    e1_set_ints(IYEAR, IDAY);
    E1MES(kErrorTerminal, 5,
          is_leap_year(IYEAR)
              ? "IDAY = %(I2).  Since MONTH = 2 and IYEAR = %(I1), IDAY must be less than or equal to 29."
              : "IDAY = %(I2).  Since MONTH = 2 and IYEAR = %(I1), IDAY must be less than or equal to 28.");
    return;
  }
  const bool long_month = MONTH != 4 && MONTH != 6 && MONTH != 9 && MONTH != 11;
  e1_set_ints(MONTH, IDAY);
  E1MES(kErrorTerminal, 5,
        long_month ? "IDAY = %(I2).  Since MONTH = %(I1), IDAY must be less than or equal to  31."
                   : "IDAY = %(I2).  Since MONTH = %(I1), IDAY must be less than or equal to 30.");
}

// Records every fault of the date, in the order the rules are checked, and the note for an early year.
void report_faults(uint32_t faults, int32_t IDAY, int32_t MONTH, int32_t IYEAR) {
  if (faults & kMonthOutOfRange) {
    e1_set_ints(MONTH, 1, 12);
    e1_set_names("MONTH");
    E1MES(kErrorTerminal, 1,
          "%(L1) = %(I1).  %(L1) must be greater than or equal to %(I2) and less than or equal to %(I3).");
  }
  if (faults & kDayBelowOne) {
    e1_set_ints(IDAY, 1);
    e1_set_names("IDAY");
    E1MES(kErrorTerminal, 2, "%(L1) = %(I1).  %(L1) must be greater than or equal to %(I2).");
  }
  if (faults & kYearZero) {
    E1MES(kErrorTerminal, 3, "IYEAR = 0.  IYEAR must not be equal to 0 since the year 0 does not exist.");
    return;
  }
  if (faults & kReformGapDay) {
    e1_set_ints(IDAY);
    E1MES(kErrorTerminal, 4,
          "IYEAR = 1582, MONTH = 10 and IDAY = %(I1).  Due to the conversion from the Julian calendar to "
          "the Gregorian calendar, October 5, 1582 through October 14, 1582 do not exist.");
    return;
  }
  if (IYEAR < -45) {
    e1_set_ints(IYEAR);
    E1MES(kErrorNote, 1,
          "IYEAR = %(I1).  The Julian Calendar first went into use in 45 B.C. (-45).  No calendar prior to "
          "that time was as universally used nor as accurate as the Julian.  Therefore, it is assumed that "
          "the Julian Calendar was in use prior to 45 B.C.");
  }
  if (faults & kDayBeyondMonth) report_day_beyond_month(IDAY, MONTH, IYEAR);
  if (faults & kDayCountOutOfRange) {
    e1_set_ints(IYEAR);
    E1MES(kErrorTerminal, 6,
          "IYEAR = %(I1).  The number of days from January 1, 1900 to this date does not fit in a 4-byte "
          "integer.");
  }
}

}  // namespace

int32_t NDAYS(int32_t IDAY, int32_t MONTH, int32_t IYEAR) {
  E1PSH("NDAYS");
  const uint32_t faults = calendar_date_faults(IDAY, MONTH, IYEAR);
  report_faults(faults, IDAY, MONTH, IYEAR);
  const int32_t result = faults == 0 ? static_cast<int32_t>(day_count(IDAY, MONTH, IYEAR)) : 0;
  E1POP("NDAYS");
  return result;
}

}  // namespace zorikan
