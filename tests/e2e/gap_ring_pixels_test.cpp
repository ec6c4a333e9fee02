// The rings of the vision check, pixel for pixel: every ring the program shows equals the picture of its
// discs and gap strip drawn from corners computed here, for one of the two sides and three tilts, and
// ring sizes go inversely with the acuity.
#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>
#include <set>

#include "display/surface_raster.h"
#include "tests/e2e/vision_robot.h"

namespace zorikan::testing {
namespace {

QPoint nearest(double x, double y) {
  return QPoint(static_cast<int>(std::round(x)), static_cast<int>(std::round(y)));
}

// The window after blank, discs and strip of `acuity` for the set-up, with the gap on `side` at `tilt`.
QImage expected_ring(const SessionParams& p, float acuity, int side, double tilt) {
  const double pitch = p.diagonal_inch * 25.4 / std::hypot(double(p.screen_nx), double(p.screen_ny));
  const double scale = 0.1 / acuity * (p.distance_cm / 500.0) / pitch;
  const double outer = 36.25 * scale, inner = 21.75 * scale, h = 7.25 * scale, length = side * 38.25 * scale;
  QImage picture(980, 650, QImage::Format_RGB32);
  picture.fill(Qt::white);
  display::SurfaceRaster black(picture, 0xFF000000, display::LineStyle::kSolid);
  display::SurfaceRaster white(picture, 0xFFFFFFFF, display::LineStyle::kSolid);
  black.ellipse(QRect(nearest(490 - outer, 325 - outer), nearest(490 + outer, 325 + outer)), true);
  white.ellipse(QRect(nearest(490.5 - inner, 325.5 - inner), nearest(489.5 + inner, 324.5 + inner)), true);
  const double c = std::cos(tilt * std::numbers::pi / 180), s = std::sin(tilt * std::numbers::pi / 180);
  std::vector<QPoint> corners;
  for (auto [t, q] : {std::pair{0.0, -h}, {0.0, h}, {length, h}, {length, -h}})
    corners.push_back(nearest(490 + t * c - q * s, 325 + t * s + q * c));
  white.polygon(corners, true);
  return picture;
}

class GapRingPixels : public ::testing::TestWithParam<std::string> {};

TEST_P(GapRingPixels, EveryRingIsItsDiscsAndStripAndSizesGoInverselyWithTheAcuity) {
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
  // The black box spans 2r + 1 pixels.
  for (auto [acuity, diameter] : diameters)
    EXPECT_NEAR(diameter - 1, (diameters[0].second - 1) * 0.1 / acuity, 1.0) << acuity;
}

INSTANTIATE_TEST_SUITE_P(SetUps, GapRingPixels,
                         ::testing::Values(saved_parameters("900.000", " 17.700", "    768", "   1024"),
                                           saved_parameters("200.000", " 17.700", "    768", "   1024"),
                                           saved_parameters("650.000", " 15.600", "   1080", "   1920")));

}  // namespace
}  // namespace zorikan::testing
