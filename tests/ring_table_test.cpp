// The ring table of `zorikan --ring-table`: it tables the set-up saved in zorikan.vvd (the dialog's defaults
// where the data folder does not exist), asks each level's gap and area as the ideal figure worked out here
// has them, and finds every gap of at least a pixel within 5 % and every area within 1 %.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "tests/support/ideal_ring.h"
#include "tests/support/temp_work_dir.h"
#include "vision/ring_table.h"

namespace zorikan::testing {
namespace {

std::string table_output(bool in_data_folder) {
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(print_saved_ring_table(in_data_folder), 0);
  return ::testing::internal::GetCapturedStdout();
}

TEST(RingTable, TablesTheSavedSetUpWithEveryMeasurableGapWithinFivePercent) {
  TempWorkDir dir;
  dir.write("zorikan.vvd", " 60.000\r\n 15.600\r\n   1080\r\n   1920\r\n    100\r\n");
  EXPECT_NE(table_output(false).find("at 200.0 cm, 17.7\", 1024 x 768 pixels"), std::string::npos);
  const std::string table = table_output(true);
  ASSERT_NE(table.find("at 60.0 cm, 15.6\", 1920 x 1080 pixels"), std::string::npos) << table;

  std::istringstream lines(table.substr(table.find("(%)\n") + 4));
  const double levels[] = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.25, 1.5, 2.0};
  for (double level : levels) {
    std::string line;
    ASSERT_TRUE(std::getline(lines, line)) << level;
    double acuity, gap, gap_seen, gap_error, area, area_seen, area_error;
    ASSERT_EQ(std::sscanf(line.c_str(), "%lf %lf %lf %lf %lf %lf %lf", &acuity, &gap, &gap_seen, &gap_error,
                          &area, &area_seen, &area_error),
              7)
        << line;
    const IdealRing ideal = IdealRing::at(level, 60, 15.6, 1920, 1080);
    EXPECT_NEAR(acuity, level, 1e-9);
    EXPECT_NEAR(gap, ideal.gap, 0.01) << line;
    EXPECT_NEAR(area, ideal.black_area(), 0.1) << line;
    EXPECT_EQ(line.ends_with("beyond"), ideal.gap < 1) << line;
    if (ideal.gap >= 1) {
      EXPECT_LT(std::abs(gap_seen - gap), 0.05 * gap) << line;
    }
    EXPECT_LT(std::abs(area_seen - area), std::max(0.01 * area, 0.5)) << line;
  }
}

}  // namespace
}  // namespace zorikan::testing
