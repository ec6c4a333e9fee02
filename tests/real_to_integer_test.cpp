// Real-to-integer conversions: halves away from zero, truncation, and defined results for NaN and
// values outside the int32_t range.
#include "common/real_to_integer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zorikan {
namespace {

TEST(RealToInteger, NearestIntRoundsHalvesAwayFromZero) {
  EXPECT_EQ(nearest_int(2.5), 3);
  EXPECT_EQ(nearest_int(-2.5), -3);
  EXPECT_EQ(nearest_int(0.5f), 1);
  EXPECT_EQ(nearest_int(-0.49999997f), 0);
  EXPECT_EQ(nearest_int(489.5f - 35.75f), 454);
  EXPECT_EQ(nearest_int(2147483647.4), INT32_MAX);
  EXPECT_EQ(nearest_int(-2147483648.4), INT32_MIN);
}

TEST(RealToInteger, TruncateDropsTheFraction) {
  EXPECT_EQ(truncate_int(0.9 * 255), 229);
  EXPECT_EQ(truncate_int(-2.9f), -2);
  EXPECT_EQ(truncate_int(0.35f * 255), 89);
}

TEST(RealToInteger, NanAndOutOfRangeValuesHaveDefinedResults) {
  for (auto convert : {&nearest_int, &truncate_int}) {
    EXPECT_EQ(convert(std::nan("")), 0);
    EXPECT_EQ(convert(3.0e9), INT32_MAX);
    EXPECT_EQ(convert(-3.0e9), INT32_MIN);
    EXPECT_EQ(convert(std::numeric_limits<double>::infinity()), INT32_MAX);
    EXPECT_EQ(convert(-std::numeric_limits<double>::infinity()), INT32_MIN);
  }
}

}  // namespace
}  // namespace zorikan
