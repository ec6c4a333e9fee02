// The rings of the vision check as the program shows them: every ring is the ring of its level drawn by
// area, whole, on the white blank, for one of the two sides and three tilts; and ring sizes go inversely
// with the acuity.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/e2e/vision_robot.h"
#include "vision/ring_image.h"

namespace zorikan::testing {
namespace {

// The window after the blank and the ring of `acuity` drawn by area, with the gap on `side` at `tilt`.
QImage expected_ring(const SessionParams& p, float acuity, int side, double tilt) {
  const double scale = ring_scale(acuity, p.distance_cm, p.diagonal_inch, p.screen_nx, p.screen_ny);
  const RingImage ring = render_ring(ring_figure(scale, 980, 650, side, tilt), 980, 650);
  QImage picture(980, 650, QImage::Format_RGB32);
  for (int y = 0; y < 650; ++y) {
    for (int x = 0; x < 980; ++x) picture.setPixel(x, y, qRgb(ring.at(x, y), ring.at(x, y), ring.at(x, y)));
  }
  return picture;
}

class GapRingPixels : public ::testing::TestWithParam<std::string> {};

TEST_P(GapRingPixels, EveryRingIsItsLevelsFigureByAreaAndSizesGoInverselyWithTheAcuity) {
  SessionRun session;
  session.dir.write("zorikan.vvd", GetParam());
  std::set<std::pair<int, int>> placements;
  std::vector<std::pair<float, double>> diameters;
  int unmatched = 0;
  VisionRobot robot(session, [&](const RingView& view, int, int) {
    const QImage shown = window_picture();
    // The level the ring's size suggests, or a neighbour where small rings differ by a pixel.
    const auto level =
        std::find(kAcuityLadder.begin(), kAcuityLadder.end(), acuity_of(view.outer_diameter, session_params));
    std::vector<std::pair<int, int>> matches;
    float acuity = 0;
    for (auto candidate = level - 1; candidate <= level + 1; ++candidate) {
      for (int side : {-1, 1}) {
        for (int tilt : {-45, 0, 45}) {
          if (shown != expected_ring(session_params, *candidate, side, tilt)) continue;
          matches.push_back({side, tilt});
          acuity = *candidate;
        }
      }
    }
    unmatched += matches.empty();
    if (matches.size() == 1) placements.insert(matches[0]);
    if (!matches.empty()) diameters.push_back({acuity, view.outer_diameter});
    return 'R';
  });
  robot.start_at(session.time.now() + 3.0);
  ASSERT_EQ(session.run(300), 0);

  EXPECT_EQ(unmatched, 0);
  EXPECT_EQ(placements.size(), 6u) << "both sides, three tilts";
  ASSERT_FALSE(diameters.empty());
  ASSERT_EQ(diameters[0].first, 0.1f);
  for (auto [acuity, diameter] : diameters)
    EXPECT_NEAR(diameter, diameters[0].second * 0.1 / acuity, 0.5) << acuity;
}

INSTANTIATE_TEST_SUITE_P(SetUps, GapRingPixels,
                         ::testing::Values(saved_parameters("900.000", " 17.700", "    768", "   1024"),
                                           saved_parameters("200.000", " 17.700", "    768", "   1024"),
                                           saved_parameters("650.000", " 15.600", "   1080", "   1920")));

}  // namespace
}  // namespace zorikan::testing
