// The gap ring's geometry at set-ups beyond every sensible one: resolutions whose squares pass the 32-bit
// range and rings far larger than the window or the 2-byte coordinate range are sized and clipped without
// an undefined step (run under the sanitizers).
#include <gtest/gtest.h>

#include <algorithm>

#include "vision/gap_ring.h"
#include "vision/ring_image.h"
#include "vision/screen_coordinate.h"

namespace zorikan {
namespace {

TEST(GapRing, PitchSumsSquaresBeyondThe32BitRange) {
  // 46341^2 + 46341^2 overflows 32 bits; a 100" screen of 46341 x 46341 pixels has 25.8 pixels per mm.
  EXPECT_NEAR(ring_scale(0.1f, 500.0f, 100.0f, 46341, 46341), 46341 * std::sqrt(2.0) / 2540, 1e-3);
  EXPECT_NEAR(ring_scale(0.1f, 500.0f, 100.0f, INT32_MAX, INT32_MAX),
              1 / (2540 / (INT32_MAX * std::sqrt(2.0))), 1);
}

TEST(GapRing, RingsBeyondTheWindowAreClippedToIt) {
  const double huge = ring_scale(0.1f, 999.0f, 0.001f, 1024, 768);  // about 40 000 pixels per millimetre
  const RingImage within_inner_disc = render_ring(ring_figure(huge, 980, 650, -1, 45), 980, 650);
  EXPECT_EQ(within_inner_disc.width, 980);
  EXPECT_EQ(within_inner_disc.height, 650);
  EXPECT_TRUE(std::ranges::all_of(within_inner_disc.grey, [](uint8_t v) { return v == 255; }));
  // Inner radius 500 pixels, the corners 588 from the centre: the band covers them.
  const RingImage band = render_ring(ring_figure(500 / 21.75, 980, 650, 1, 0), 980, 650);
  EXPECT_EQ(band.at(0, 0), 0);
  EXPECT_EQ(band.at(490, 325), 255);
  EXPECT_EQ(render_ring(ring_figure(std::nan(""), 980, 650, 1, 0), 980, 650).width, 0);
  EXPECT_EQ(to_coordinate(std::nan("")), 0);
  EXPECT_EQ(to_coordinate(int64_t{INT32_MIN} - 1), INT16_MIN);
}

}  // namespace
}  // namespace zorikan
