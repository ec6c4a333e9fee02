// date_and_time: the local date and time in its six fields, the hundredths dropped.
#include "session/date_and_time.h"

#include <gtest/gtest.h>

#include "tests/support/simulated_time.h"

namespace zorikan {
namespace {

TEST(DateAndTime, GivesDayMonthYearHourMinuteSecondOfTheLocalTime) {
  testing::SimulatedTime time(testing::SimulatedTime::epoch_of_local_time({2031, 12, 7, 23, 59, 58, 990}));
  testing::TimeSoundServiceGuard guard(time);
  int32_t day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
  date_and_time(day, month, year, hour, minute, second);
  EXPECT_EQ(day, 7);
  EXPECT_EQ(month, 12);
  EXPECT_EQ(year, 2031);
  EXPECT_EQ(hour, 23);
  EXPECT_EQ(minute, 59);
  EXPECT_EQ(second, 58) << "990 ms are dropped, not rounded";
}

}  // namespace
}  // namespace zorikan
