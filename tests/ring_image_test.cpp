// The gap rings drawn by area, measured back against the ideal figure worked out in
// tests/support/ideal_ring.h: every ladder level at three set-ups and all six gap placements holds the
// figure's black area, shows its gap and sits in the middle of the window, and no two adjacent levels
// draw the same picture; every pixel holds the sRGB value whose luminance is nearest to the part of it the
// figure leaves white, worked out exactly here. The gap that --ring-table measures back agrees. Greys are
// the values of nearest luminance, which rounding in the sRGB scale misses near the middle between two.
// The ring's image is written bottom row first, into an image of its box only; the ring table names the
// levels drawn clipped and a distance beyond the parameters'.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "services/acuity_ladder.h"
#include "tests/support/ideal_ring.h"
#include "vision/gap_ring.h"
#include "vision/ring_image.h"
#include "vision/ring_measure.h"
#include "vision/ring_table.h"

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
  double darkness = 0;    // sum of 1 - luminance
  double off_centre = 0;  // of the darkness centroid, the gap's axis masked out on both sides
  int wrong_pixels =
      0;                // not the value of nearest luminance to the part of the pixel the figure leaves white
  int grey_pixels = 0;  // neither 0 nor 255
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
      const double q = py * ax - px * ay;
      seen.darkness += dark;
      if (std::abs(q) > ring.gap / 2 + kReach) {
        centre_x += dark * px;
        centre_y += dark * py;
        weight += dark;
      }
      const double covered = ring.coverage(x - s.window_nx / 2.0, y - s.window_ny / 2.0, ax, ay);
      seen.wrong_pixels += !nearest_srgb(value, 1 - covered);
      seen.grey_pixels += value != 0 && value != 255;
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
        EXPECT_EQ(seen.wrong_pixels, 0) << "of " << seen.grey_pixels << " grey";
        if (index > kFirstProbeIndex) {
          EXPECT_FALSE(same_picture(image, previous));
        }
        previous = image;
      }
    }
  }
}

// The image of the ring's box takes its rows bottom first, each grey in blue, green and red with the fourth
// byte 0, after the header, which stays as it was; an image of another size, or a ring with no pixels, is
// refused and left untouched.
TEST(RingImage, IsWrittenBottomRowFirstIntoAnImageOfItsBoxAndNoOther) {
  const RingImage ring{10, 20, 2, 2, {0, 60, 120, 255}};
  std::vector<uint8_t> image(54 + 16, 7);
  ASSERT_TRUE(write_ring_pixels(ring, image));
  EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + 54), std::vector<uint8_t>(54, 7));
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + 54, image.end()),
            (std::vector<uint8_t>{120, 120, 120, 0, 255, 255, 255, 0, 0, 0, 0, 0, 60, 60, 60, 0}));
  for (const size_t size : {54 + 12, 54 + 20, 0}) {
    std::vector<uint8_t> wrong(size, 7);
    EXPECT_FALSE(write_ring_pixels(ring, wrong)) << size;
    EXPECT_EQ(wrong, std::vector<uint8_t>(size, 7)) << size;
  }
  std::vector<uint8_t> header_only(54, 7);
  EXPECT_FALSE(write_ring_pixels(RingImage{}, header_only));
  EXPECT_EQ(header_only, std::vector<uint8_t>(54, 7));
}

// The ring table's heading names the levels drawn clipped and the distance from which 0.1 fits (15.6" 3840
// x 2160 at 500 cm: 0.1's ring is 806 pixels, 0.2's 403), or that 2.0 needs a distance beyond the
// parameters' 999.999 cm (75.6" 1024 x 768, a pitch of 1.5 mm: 1035 cm); its lines mark them.
TEST(RingTable, NamesTheClippedLevelsAndTheDistanceNoSetUpReaches) {
  const auto table = [](const SessionParams& params) {
    char* text = nullptr;
    size_t length = 0;
    std::FILE* out = open_memstream(&text, &length);
    print_ring_table(params, out);
    std::fclose(out);
    const std::string printed(text, length);
    std::free(text);
    return printed;
  };
  const std::string clipped = table({500, 15.6f, 3840, 2160, 100});
  EXPECT_NE(
      clipped.find("\nLevels below 0.20 do not fit the window whole and are drawn clipped; 0.10 fits from "
                   "403 cm or nearer.\n"),
      std::string::npos)
      << clipped;
  EXPECT_NE(clipped.find("  clipped\n 0.20 "), std::string::npos) << clipped;
  EXPECT_EQ(clipped.find("  beyond\n"), std::string::npos) << clipped;
  const std::string beyond = table({900, 75.6f, 1024, 768, 100});
  EXPECT_NE(
      beyond.find("\n2.00 needs 1035 cm or more, beyond the 999.999 cm the parameters take: this screen "
                  "cannot measure it.\n"),
      std::string::npos)
      << beyond;
  EXPECT_NE(beyond.find("  beyond\n"), std::string::npos) << beyond;
  EXPECT_EQ(beyond.find("clipped"), std::string::npos) << beyond;
}

// Just under the middle between the luminances of two neighbouring values the lower one is nearest, just
// over it the upper one; rounding in the sRGB scale takes the upper one under the middle from 10 upwards.
TEST(RingImage, EachGreyIsTheValueOfNearestLuminance) {
  for (int value = 0; value < 255; ++value) {
    const auto lower = static_cast<uint8_t>(value), upper = static_cast<uint8_t>(value + 1);
    const double middle = (srgb_luminance(lower) + srgb_luminance(upper)) / 2;
    EXPECT_EQ(srgb_value(srgb_luminance(lower)), lower);
    EXPECT_EQ(srgb_value(middle * (1 - 1e-9)), lower);
    EXPECT_EQ(srgb_value(middle * (1 + 1e-9)), upper);
  }
  EXPECT_EQ(srgb_value(1), 255);
}

}  // namespace
}  // namespace zorikan::testing
