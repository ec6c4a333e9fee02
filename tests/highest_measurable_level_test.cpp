// What a set-up can measure, against the gap width worked out here from the physical set-up: the gap of
// level a is 14.5 mm x (0.1 / a) x (distance / 500 cm) on the eye's scale, divided by the pixel pitch. The
// rings that fit the window are checked through the parameter dialog's set-up line.
#include <gtest/gtest.h>

#include <cmath>

#include "services/highest_measurable_level.h"
#include "services/ring_fit.h"

namespace zorikan {
namespace {

struct ViewingSetUp {
  float distance_cm;
  float diagonal_inch;
  int32_t nx;
  int32_t ny;
};

double pitch_mm(const ViewingSetUp& s) {
  return s.diagonal_inch * 25.4 / std::hypot(double(s.nx), double(s.ny));
}

double gap_px(const ViewingSetUp& s, double level) {
  return 14.5 * (0.1 / level) * (s.distance_cm / 500.0) / pitch_mm(s);
}

TEST(HighestMeasurableLevel, ThreeSetUpsAgainstTheGapWorkedOutHere) {
  const float ladder[] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f, 1.25f, 1.5f, 2.0f};
  const ViewingSetUp setups[] = {{200, 17.7f, 1024, 768}, {60, 15.6f, 1920, 1080}, {500, 24, 1920, 1200}};
  const float expected[] = {1.5f, 0.9f, 2.0f};
  for (size_t k = 0; k < std::size(setups); ++k) {
    const ViewingSetUp& s = setups[k];
    float highest = 0;
    for (float level : ladder)
      if (gap_px(s, level) >= 1) highest = level;
    EXPECT_EQ(highest, expected[k]) << "set-up " << k;
    EXPECT_EQ(highest_measurable_level(s.distance_cm, s.diagonal_inch, s.nx, s.ny), highest)
        << "set-up " << k;
    const double exact = 500.0 * pitch_mm(s) * (2.0 / 0.1) / 14.5;
    EXPECT_EQ(distance_to_measure_cm(2.0f, s.diagonal_inch, s.nx, s.ny),
              static_cast<int32_t>(std::ceil(exact)))
        << "set-up " << k;
  }
  EXPECT_EQ(distance_to_measure_cm(2.0f, 17.7f, 1024, 768), 243);
}

TEST(HighestMeasurableLevel, UnusableSetUpsMeasureNothing) {
  EXPECT_EQ(highest_measurable_level(0, 17.7f, 1024, 768), 0);
  EXPECT_EQ(highest_measurable_level(200, NAN, 1024, 768), 0);
  EXPECT_EQ(highest_measurable_level(200, 17.7f, 0, 768), 0);
  EXPECT_EQ(highest_measurable_level(1, 17.7f, 1024, 768), 0);  // even 0.1's gap is under a pixel
  EXPECT_EQ(distance_to_measure_cm(2.0f, -1, 1024, 768), 0);
  EXPECT_EQ(distance_to_measure_cm(2.0f, 1e-30f, 1024, 768), 1);
  // A negative distance and diagonal give a positive scale, yet no ring.
  EXPECT_EQ(lowest_fitting_level(-200, -17.7f, 1024, 768, {980, 650}), 0);
  EXPECT_EQ(distance_to_fit_cm(0.1f, -17.7f, 1024, 768, {980, 650}), 0);
}

}  // namespace
}  // namespace zorikan
