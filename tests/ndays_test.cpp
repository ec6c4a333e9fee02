// NDAYS against the calendar: std::chrono's proleptic Gregorian days from the reform on, a day-by-day
// Julian walk before it, and the printed report and stop of each kind of invalid date.
#include "calendar/ndays.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "common/program_stop.h"

namespace zorikan {
namespace {

using std::chrono::sys_days;
using namespace std::chrono_literals;

struct ProgramStopped {};
[[noreturn]] void throw_program_stopped() {
  throw ProgramStopped{};
}

std::string date_text(int32_t day, int32_t month, int32_t year) {
  return std::to_string(day) + "-" + std::to_string(month) + "-" + std::to_string(year);
}

// What NDAYS prints for the date; fails when it does not stop.
std::string report_of_invalid_date(int32_t day, int32_t month, int32_t year) {
  ::testing::internal::CaptureStdout();
  bool stopped = false;
  try {
    NDAYS(day, month, year);
  } catch (const ProgramStopped&) {
    stopped = true;
  }
  EXPECT_TRUE(stopped) << date_text(day, month, year);
  return ::testing::internal::GetCapturedStdout();
}

// Month lengths under the Julian rule as the calendar states it: -4, -8, ... are leap years.
int32_t julian_month_length(int32_t month, int32_t year) {
  if (month == 2) return year % 4 == 0 ? 29 : 28;
  return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}

// A stop that nothing expects fails the test instead of ending the process with exit code 0.
class Ndays : public ::testing::Test {
 protected:
  void SetUp() override { set_stop_handler(throw_program_stopped); }
};

TEST_F(Ndays, KnownDayNumbers) {
  struct Case {
    int32_t day, month, year, expected;
  };
  const Case cases[] = {{1, 1, 1900, 0},        {31, 12, 1899, -1},      {28, 2, 1900, 58},
                        {1, 3, 1900, 59},       {1, 1, 2000, 36524},     {29, 2, 2000, 36583},
                        {1, 3, 2000, 36584},    {15, 10, 1582, -115860}, {4, 10, 1582, -115861},
                        {29, 2, 1500, -146029}, {1, 3, 1500, -146028}};
  for (const Case& c : cases) {
    EXPECT_EQ(NDAYS(c.day, c.month, c.year), c.expected) << date_text(c.day, c.month, c.year);
  }
}

TEST_F(Ndays, EveryDateFromReformTo2400MatchesProlepticGregorianCalendar) {
  const sys_days day_zero{1900y / 1 / 1};
  for (sys_days date{1582y / 10 / 15}; date <= sys_days{2400y / 12 / 31}; date += std::chrono::days{1}) {
    const std::chrono::year_month_day ymd{date};
    const auto day = static_cast<int32_t>(static_cast<unsigned>(ymd.day()));
    const auto month = static_cast<int32_t>(static_cast<unsigned>(ymd.month()));
    const auto year = static_cast<int32_t>(ymd.year());
    ASSERT_EQ(NDAYS(day, month, year), (date - day_zero).count()) << date_text(day, month, year);
  }
}

// Walks back from 1582-10-04, the day before 1582-10-15, through year 1 to -1 (there is no year 0), and
// on past 45 B.C., where each date also prints a note but must not stop.
TEST_F(Ndays, EveryJulianDateIsTheDayAfterTheDateBefore) {
  int32_t expected = (sys_days{1582y / 10 / 15} - sys_days{1900y / 1 / 1}).count() - 1;
  int32_t day = 4, month = 10, year = 1582;
  while (year >= -49) {
    if (year == -46 && month == 12 && day == 31) ::testing::internal::CaptureStdout();
    ASSERT_EQ(NDAYS(day, month, year), expected) << date_text(day, month, year);
    --expected;
    if (--day == 0) {
      if (--month == 0) {
        month = 12;
        year = year == 1 ? -1 : year - 1;
      }
      day = julian_month_length(month, year);
    }
  }
  const std::string notes = ::testing::internal::GetCapturedStdout();

  const std::string note_46 =
      " *** NOTE ERROR 1 from NDAYS.  IYEAR = -46.  The Julian Calendar first\n"
      " ***          went into use in 45 B.C. (-45).  No calendar prior to that\n"
      " ***          time was as universally used nor as accurate as the\n"
      " ***          Julian.  Therefore, it is assumed that the Julian Calendar\n"
      " ***          was in use prior to 45 B.C.\n";
  // One note per day of the years -46 to -49, all of the same length.
  EXPECT_EQ(notes.substr(0, note_46.size()), note_46);
  EXPECT_EQ(notes.size(), note_46.size() * (365 + 365 + 366 + 365));
}

TEST_F(Ndays, InvalidDatesPrintTerminalErrorsAndStop) {
  struct Case {
    int32_t day, month, year;
    const char* report;
  };
  const Case cases[] = {
      {31, 4, 2009,
       " *** TERMINAL ERROR 5 from NDAYS.  IDAY = 31.  Since MONTH = 4, IDAY\n"
       " ***          must be less than or equal to 30.\n"},
      {32, 1, 2009,
       " *** TERMINAL ERROR 5 from NDAYS.  IDAY = 32.  Since MONTH = 1, IDAY\n"
       " ***          must be less than or equal to  31.\n"},
      {29, 2, 1900,
       " *** TERMINAL ERROR 5 from NDAYS.  IDAY = 29.  Since MONTH = 2 and IYEAR\n"
       " ***          = 1900, IDAY must be less than or equal to 28.\n"},
      {30, 2, 1500,
       " *** TERMINAL ERROR 5 from NDAYS.  IDAY = 30.  Since MONTH = 2 and IYEAR\n"
       " ***          = 1500, IDAY must be less than or equal to 29.\n"},
      {10, 10, 1582,
       " *** TERMINAL ERROR 4 from NDAYS.  IYEAR = 1582, MONTH = 10 and IDAY =\n"
       " ***          10.  Due to the conversion from the Julian calendar to the\n"
       " ***          Gregorian calendar, October 5, 1582 through October 14,\n"
       " ***          1582 do not exist.\n"},
      {1, 13, 2009,
       " *** TERMINAL ERROR 1 from NDAYS.  MONTH = 13.  MONTH must be greater\n"
       " ***          than or equal to 1 and less than or equal to 12.\n"},
      {0, 1, 2009,
       " *** TERMINAL ERROR 2 from NDAYS.  IDAY = 0.  IDAY must be greater than\n"
       " ***          or equal to 1.\n"},
      {1, 1, 0,
       " *** TERMINAL ERROR 3 from NDAYS.  IYEAR = 0.  IYEAR must not be equal\n"
       " ***          to 0 since the year 0 does not exist.\n"},
      // Every error of one call is printed; year 0 ends the checks, so 40 days are not reported.
      {-3, 0, 0,
       " *** TERMINAL ERROR 1 from NDAYS.  MONTH = 0.  MONTH must be greater\n"
       " ***          than or equal to 1 and less than or equal to 12.\n"
       " *** TERMINAL ERROR 2 from NDAYS.  IDAY = -3.  IDAY must be greater than\n"
       " ***          or equal to 1.\n"
       " *** TERMINAL ERROR 3 from NDAYS.  IYEAR = 0.  IYEAR must not be equal\n"
       " ***          to 0 since the year 0 does not exist.\n"},
      {1, 1, 6000000,
       " *** TERMINAL ERROR 6 from NDAYS.  IYEAR = 6000000.  The number of days\n"
       " ***          from January 1, 1900 to this date does not fit in a 4-byte\n"
       " ***          integer.\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(report_of_invalid_date(c.day, c.month, c.year), c.report) << date_text(c.day, c.month, c.year);
  }
}

TEST_F(Ndays, InvalidDateEndsTheProgramWithExitCodeZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  set_stop_handler(nullptr);
  EXPECT_EXIT(NDAYS(31, 4, 2009), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(NDAYS(15, 10, 1582); NDAYS(5, 10, 1582), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace zorikan
