// The rings of the vision check as the program shows them, against the ideal figure worked out in
// tests/support/ideal_ring.h: every ring is, pixel by pixel, the figure of a ladder level drawn by area on
// the white blank, with its gap where the program's random numbers put it; and ring sizes go inversely with
// the acuity. The numbers are those of the generator behind random_uniform (seed 1.2147483825683594,
// multiplier 16807, modulus 2^31 - 1), two to a ring: the side, then the tilt. How far the start screen
// advanced it is not known here, so the rings' gaps must be the draws from one point of its stream on. A
// ring written upside down shows the figure of the other tilt (+45 and -45 trade places) and matches none.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <vector>

#include "tests/e2e/vision_robot.h"

namespace zorikan::testing {
namespace {

// The gap's side (-1 left, +1 right) and tilt in degrees.
using Placement = std::pair<int, int>;
constexpr std::array<Placement, 6> kPlacements = {{{-1, -45}, {-1, 0}, {-1, 45}, {1, -45}, {1, 0}, {1, 45}}};

// The rows or columns a ring of `radius` about `centre` reaches, within 0 ... size - 1.
std::pair<int, int> reach(double centre, double radius, int size) {
  return {std::max(0, static_cast<int>(std::floor(centre - radius))),
          std::min(size - 1, static_cast<int>(std::ceil(centre + radius)) - 1)};
}

uint8_t grey_at(const QImage& picture, int x, int y) {
  return static_cast<uint8_t>(rgb_at(picture, x, y) >> 16);
}

// Whether every pixel of `shown` beyond the ring's reach is white.
bool white_beyond(const QImage& shown, const IdealRing& ring) {
  const auto [left, right] = reach(shown.width() / 2.0, ring.outer, shown.width());
  const auto [top, bottom] = reach(shown.height() / 2.0, ring.outer, shown.height());
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const bool within = x >= left && x <= right && y >= top && y <= bottom;
      if (!within && rgb_at(shown, x, y) != kWhitePixel) return false;
    }
  }
  return true;
}

// Whether each pixel within the ring's reach holds the sRGB value of nearest luminance to the part of it
// that the ideal ring with its gap at `placement` leaves white.
bool shows_ideal_ring(const QImage& shown, const IdealRing& ring, Placement placement) {
  const double radians = placement.second * std::numbers::pi / 180;
  const double ax = placement.first * std::cos(radians), ay = placement.first * std::sin(radians);
  const double cx = shown.width() / 2.0, cy = shown.height() / 2.0;
  const auto [left, right] = reach(cx, ring.outer, shown.width());
  const auto [top, bottom] = reach(cy, ring.outer, shown.height());
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      if (!nearest_srgb(grey_at(shown, x, y), 1 - ring.coverage(x - cx, y - cy, ax, ay))) return false;
    }
  }
  return true;
}

// What one ring showed: its level, and the placements whose ideal figure it is.
struct RingSeen {
  float acuity = 0;
  std::vector<Placement> placements;
};

RingSeen look_closely(const QImage& shown, const RingView& view) {
  RingSeen seen;
  // The level the ring's size suggests, or a neighbour where small rings differ by a pixel.
  const auto suggested =
      std::find(kAcuityLadder.begin(), kAcuityLadder.end(), acuity_of(view.outer_diameter, session_params));
  const auto first = std::max(suggested - 1, kAcuityLadder.begin() + kFirstProbeIndex);
  const auto last = std::min(suggested + 1, kAcuityLadder.begin() + kHighestLadderIndex - 1);
  for (auto level = first; level <= last; ++level) {
    const SessionParams& p = session_params;
    const IdealRing ring = IdealRing::at(*level, p.distance_cm, p.diagonal_inch, p.screen_nx, p.screen_ny);
    if (!white_beyond(shown, ring)) continue;
    for (Placement placement : kPlacements) {
      if (!shows_ideal_ring(shown, ring, placement)) continue;
      seen.acuity = *level;
      seen.placements.push_back(placement);
    }
    if (!seen.placements.empty()) return seen;
  }
  return seen;
}

// The placement that two draws give: the gap on the right above 0.5; tilted by -45 degrees below 0.333,
// not below 0.667, else by +45.
Placement drawn_placement(float side, float tilt) {
  return {side > 0.5f ? 1 : -1, tilt < 0.333f ? -45 : tilt < 0.667f ? 0 : 45};
}

// The first `count` draws of the generator.
std::vector<float> random_stream(size_t count) {
  std::vector<float> draws;
  double seed = 1.2147483825683594;
  for (size_t k = 0; k < count; ++k) {
    seed = std::fmod(16807.0 * seed, 2147483647.0);
    draws.push_back(static_cast<float>(seed / 2147483648.0));
  }
  return draws;
}

// The rings' placements as drawn from the first point of the stream at which every ring shows the
// figure of its draws; none when there is no such point within the warm-up of random_uniform (at most
// 99 x 59 draws) and the start screen's draws.
std::vector<Placement> placements_drawn(const std::vector<RingSeen>& rings) {
  constexpr size_t kLatestStart = 8000;
  const std::vector<float> draws = random_stream(kLatestStart + 2 * rings.size());
  for (size_t start = 0; start < kLatestStart; ++start) {
    std::vector<Placement> drawn;
    for (size_t n = 0; n < rings.size(); ++n) {
      const Placement placement = drawn_placement(draws[start + 2 * n], draws[start + 2 * n + 1]);
      if (std::find(rings[n].placements.begin(), rings[n].placements.end(), placement) ==
          rings[n].placements.end())
        break;
      drawn.push_back(placement);
    }
    if (drawn.size() == rings.size()) return drawn;
  }
  return {};
}

class GapRingPixels : public ::testing::TestWithParam<std::string> {};

TEST_P(GapRingPixels, EveryRingIsItsLevelsIdealFigureWithTheGapItsRandomNumbersDrew) {
  SessionRun session;
  session.dir.write("zorikan.vvd", GetParam());
  std::vector<RingSeen> rings;
  std::vector<double> diameters;
  VisionRobot robot(session, [&](const RingView& view, int, int) {
    rings.push_back(look_closely(window_picture(), view));
    diameters.push_back(view.outer_diameter);
    return 'R';
  });
  robot.start_at(session.time.now() + 3.0);
  ASSERT_EQ(session.run(300), 0);

  ASSERT_FALSE(rings.empty());
  for (size_t n = 0; n < rings.size(); ++n)
    EXPECT_FALSE(rings[n].placements.empty()) << "ring " << n << " is no level's ideal figure";
  const std::vector<Placement> drawn = placements_drawn(rings);
  ASSERT_EQ(drawn.size(), rings.size()) << "no point of the random stream draws the gaps shown";
  EXPECT_EQ(std::set(drawn.begin(), drawn.end()).size(), 6u) << "both sides, three tilts";
  ASSERT_EQ(rings[0].acuity, 0.1f);
  for (size_t n = 0; n < rings.size(); ++n)
    EXPECT_NEAR(diameters[n], diameters[0] * 0.1 / rings[n].acuity, 0.5) << rings[n].acuity;
}

INSTANTIATE_TEST_SUITE_P(SetUps, GapRingPixels,
                         ::testing::Values(saved_parameters("900.000", " 17.700", "    768", "   1024"),
                                           saved_parameters("200.000", " 17.700", "    768", "   1024"),
                                           saved_parameters("650.000", " 15.600", "   1080", "   1920")));

}  // namespace
}  // namespace zorikan::testing
