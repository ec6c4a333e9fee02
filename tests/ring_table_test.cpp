// The ring table of `zorikan --ring-table` for a 60 cm 15.6" 1920 x 1080 set-up saved in zorikan.vvd: its
// heading names that set-up, and each level's line finds its gap within 5 % of the gap worked out here
// where that is at least a pixel, and is marked beyond the set-up where it is not.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "tests/support/ideal_ring.h"
#include "tests/support/temp_work_dir.h"
#include "vision/ring_table.h"

namespace zorikan::testing {
namespace {

TEST(RingTable, TablesTheSavedSetUpWithEveryMeasurableGapWithinFivePercent) {
  TempWorkDir dir;
  dir.write("zorikan.vvd", " 60.000\r\n 15.600\r\n   1080\r\n   1920\r\n    100\r\n");
  ::testing::internal::CaptureStdout();
  ASSERT_EQ(print_saved_ring_table(true), 0);
  const std::string table = ::testing::internal::GetCapturedStdout();
  ASSERT_NE(table.find("at 60.0 cm, 15.6\", 1920 x 1080 pixels"), std::string::npos) << table;

  std::istringstream lines(table.substr(table.find("(%)\n") + 4));
  for (double level : {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.25, 1.5, 2.0}) {
    std::string line;
    double acuity = 0, asked = 0, seen = 0;
    ASSERT_TRUE(std::getline(lines, line));
    ASSERT_EQ(std::sscanf(line.c_str(), "%lf %lf %lf", &acuity, &asked, &seen), 3) << line;
    const double gap = IdealRing::at(level, 60, 15.6, 1920, 1080).gap;
    EXPECT_NEAR(acuity, level, 1e-9);
    EXPECT_NEAR(asked, gap, 0.01) << line;
    EXPECT_EQ(line.ends_with("beyond"), gap < 1) << line;
    EXPECT_TRUE(gap < 1 || std::abs(seen - gap) < 0.05 * gap) << line;
  }
}

}  // namespace
}  // namespace zorikan::testing
