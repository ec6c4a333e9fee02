// The gap rings drawn by area, measured back against the ideal figure worked out in
// tests/support/ideal_ring.h: every ladder level at three set-ups and all six gap placements holds the
// figure's black area, shows its gap and sits in the middle of the window, and no two adjacent levels
// draw the same picture; pixels the figure covers wholly are black, pixels it misses white. The gap that
// --ring-table measures back agrees.
#include <gtest/gtest.h>

#include <utility>

#include "services/acuity_ladder.h"
#include "tests/support/ideal_ring.h"
#include "vision/gap_ring.h"
#include "vision/ring_image.h"
#include "vision/ring_measure.h"

namespace zorikan::testing {
namespace {

// A viewing set-up and the window the ring is centred in.
struct ViewingSetUp {
  float distance_cm;
  float diagonal_inch;
  int32_t nx, ny;
  int32_t window_nx, window_ny;  // odd sides put the centre in the middle of a pixel
};

// The gap's side (-1 left, +1 right) and tilt in degrees.
using Placement = std::pair<int32_t, double>;

// Half a pixel's diagonal: a pixel's square lies within this distance of its centre.
constexpr double kReach = 0.7072;

// What the drawn picture shows.
struct Seen {
  double darkness = 0;         // sum of 1 - luminance
  double off_centre = 0;       // of the darkness centroid, the gap's axis masked out on both sides
  int wrong_solid_pixels = 0;  // wholly covered pixels not 0, wholly missed pixels not 255
};

Seen look(const RingImage& image, const IdealRing& ring, const ViewingSetUp& s, Placement p) {
  const double ax = p.first * std::cos(p.second * std::numbers::pi / 180);
  const double ay = p.first * std::sin(p.second * std::numbers::pi / 180);
  Seen seen;
  double weight = 0, centre_x = 0, centre_y = 0;
  for (int y = image.y0 - 1; y <= image.y0 + image.height; ++y) {
    for (int x = image.x0 - 1; x <= image.x0 + image.width; ++x) {
      const uint8_t value = image.at(x, y);
      const double dark = 1 - srgb_luminance(value);
      const double px = x + 0.5 - s.window_nx / 2.0, py = y + 0.5 - s.window_ny / 2.0;
      const double t = px * ax + py * ay, q = py * ax - px * ay, d = std::hypot(px, py);
      seen.darkness += dark;
      if (std::abs(q) > ring.gap / 2 + kReach) {
        centre_x += dark * px;
        centre_y += dark * py;
        weight += dark;
      }
      const bool covered = d - kReach >= ring.inner && d + kReach <= ring.outer &&
                           (t < -kReach || std::abs(q) > ring.gap / 2 + kReach);
      const bool missed = d + kReach <= ring.inner || d - kReach >= ring.outer ||
                          (t > kReach && std::abs(q) < ring.gap / 2 - kReach);
      seen.wrong_solid_pixels += (covered && value != 0) || (missed && value != 255);
    }
  }
  seen.off_centre = std::hypot(centre_x, centre_y) / weight;
  return seen;
}

bool same_picture(const RingImage& a, const RingImage& b) {
  for (int y = std::min(a.y0, b.y0); y < std::max(a.y0 + a.height, b.y0 + b.height); ++y) {
    for (int x = std::min(a.x0, b.x0); x < std::max(a.x0 + a.width, b.x0 + b.width); ++x) {
      if (a.at(x, y) != b.at(x, y)) return false;
    }
  }
  return true;
}

TEST(RingImage, EveryLevelHoldsItsAreaShowsItsGapSitsInTheMiddleAndDiffersFromItsNeighbours) {
  const ViewingSetUp setups[] = {
      {200, 17.7f, 1024, 768, 980, 650}, {60, 15.6f, 1920, 1080, 979, 651}, {500, 24, 1920, 1200, 980, 650}};
  for (const ViewingSetUp& s : setups) {
    for (Placement p : {Placement{-1, -45}, {-1, 0}, {-1, 45}, {1, -45}, {1, 0}, {1, 45}}) {
      RingImage previous;
      for (int index = kFirstProbeIndex; index < kHighestLadderIndex; ++index) {
        const float acuity = kAcuityLadder[index];
        SCOPED_TRACE(::testing::Message() << s.distance_cm << " cm, level " << acuity << ", side " << p.first
                                          << ", tilt " << p.second);
        const IdealRing ring = IdealRing::at(acuity, s.distance_cm, s.diagonal_inch, s.nx, s.ny);
        const double scale = ring_scale(acuity, s.distance_cm, s.diagonal_inch, s.nx, s.ny);
        const RingFigure figure = ring_figure(scale, s.window_nx, s.window_ny, p.first, p.second);
        const RingImage image = render_ring(figure, s.window_nx, s.window_ny);
        const Seen seen = look(image, ring, s, p);

        EXPECT_NEAR(seen.darkness, ring.black_area(), std::max(0.01 * ring.black_area(), 0.5));
        const double whole_ring = std::numbers::pi * (ring.outer * ring.outer - ring.inner * ring.inner);
        if (ring.gap >= 1) {
          EXPECT_NEAR(ring.gap_for(whole_ring - seen.darkness), ring.gap, 0.05 * ring.gap);
          EXPECT_NEAR(measure_ring(image, figure).gap_width, ring.gap, 0.05 * ring.gap) << "--ring-table's";
        }
        EXPECT_LT(seen.off_centre, 0.05);
        EXPECT_EQ(seen.wrong_solid_pixels, 0);
        if (index > kFirstProbeIndex) {
          EXPECT_FALSE(same_picture(image, previous));
        }
        previous = image;
      }
    }
  }
}

}  // namespace
}  // namespace zorikan::testing
