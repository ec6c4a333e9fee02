// The picture of a sweep step on the real window, pixel for pixel against its definition: the image
// path of a 980 x 650 window and the drawing path of any other size, with glyphs whose tiles overlap
// and run off every edge of the window; and the glyph's horizontal offsets.
#include <gtest/gtest.h>

#include <vector>

#include "common/cp1251.h"
#include "display/display.h"
#include "services/glyph_set.h"
#include "services/grating_picture.h"
#include "services/window_size.h"
#include "session/open_graphics_window.h"
#include "session/sweep_state.h"
#include "session/sweep_step.h"
#include "tests/e2e/session_robot.h"

namespace zorikan::testing {
namespace {

constexpr uint32_t kRedPixel = 0xFF0000;
constexpr int32_t kRedRgb = 0x0000FF;  // the layer's 0xBBGGRR

// Glyph `size` for a window of `width` x `height`: a tile overlapped by a later one, and tiles cut by
// the top, bottom, left and right edges of the window (left and right for the placement that takes
// them there), so that both placements show some of it.
void set_test_glyph(int size, int width, int height) {
  const int left = 20 / size * size;
  const int right = 450 / size * size;
  const std::vector<GlyphPoint> points = {
      {40, 60},
      {40, 60 + size},             // its white upper-left cell over the first one's black upper-right cell
      {height - 1 - size, 100},    // cut by the bottom edge
      {-size, 140},                // cut by the top edge
      {50, -left - size},          // cut by the left edge when placed left
      {50, width - right - size},  // cut by the right edge when placed right
      {height - 1, width - left},  // entirely outside
  };
  const auto k = static_cast<size_t>(size - 1);
  glyph_count[k] = static_cast<int32_t>(points.size());
  for (size_t j = 0; j < points.size(); ++j) glyph_points[k][j] = points[j];
}

void open_window(int width, int height) {
  open_graphics_window(1, height, width, cp1251<"Тренажер для глаз">().view());
  WindowConfig granted;
  get_window_config(granted);
  window_nx = granted.pixel_width;
  window_ny = granted.pixel_height;
}

TEST(StartScreenPicture, ImagePathBuildsTheDefinitionsPictureAtEverySizeAndShowsItAfterOneSecondOfGrey) {
  TempWorkDir dir;
  SimulatedTime time;
  TimeSoundServiceGuard guard(time);
  time.set_read_step(std::chrono::microseconds(100));
  std::vector<int> offsets;
  std::vector<int32_t> sizes_made_current;
  std::vector<CheckpointOutcome> outcomes;
  const int code = run_display(
      [&] {
        set_exit_behaviour(2);
        open_window(980, 650);
        ASSERT_EQ(window_nx, 980);
        ASSERT_EQ(window_ny, 650);
        for (int size = 2; size <= 9; ++size) {
          set_test_glyph(size, 980, 650);
          outcomes.push_back(show_sweep_step(size));
          sizes_made_current.push_back(current_size);
          offsets.push_back(matching_glyph_offset(window_picture(), size, glyph_of_size(size), kBlackPixel));
        }
        stop_program();
      },
      {});
  ASSERT_EQ(code, 0);
  EXPECT_EQ(outcomes, std::vector<CheckpointOutcome>(8, CheckpointOutcome::kContinue));
  EXPECT_EQ(sizes_made_current, (std::vector<int32_t>{2, 3, 4, 5, 6, 7, 8, 9}));
  for (int size = 2; size <= 9; ++size) {
    const int offset = offsets[static_cast<size_t>(size - 2)];
    EXPECT_TRUE(offset == 20 / size * size || offset == 450 / size * size) << "size " << size;
  }
  const auto pauses = grey_phases(time.pauses());
  ASSERT_EQ(pauses.size(), 8u) << "one grey second per step";
  for (const SimulatedPause& pause : pauses) EXPECT_EQ(pause.duration_ms, 1000);
  EXPECT_NEAR(time.now() - pauses.back().start_seconds, 6.0, 0.001) << "1 s of grey, 5 s of picture";
}

TEST(StartScreenPicture, DrawingPathDrawsTheSamePictureIntoAnyOtherWindowAndKeepsWhatLiesOutsideTheStripes) {
  TempWorkDir dir;
  SimulatedTime time;
  TimeSoundServiceGuard guard(time);
  time.set_read_step(std::chrono::microseconds(100));
  constexpr int kWidth = 598;  // 3 divides 597: every column but 0 is striped; 4 leaves column 597
  constexpr int kHeight = 110;
  std::vector<int> offsets;
  double step_seconds = 0;
  const int code = run_display(
      [&] {
        set_exit_behaviour(2);
        open_window(kWidth, kHeight);
        ASSERT_EQ(window_nx, kWidth);
        set_draw_color_rgb(kRedRgb);
        draw_rectangle(3, 0, 0, kWidth - 1, kHeight - 1);
        for (int size : {3, 4}) {
          const ReferencePicture before = picture_of(window_picture());
          set_test_glyph(size, kWidth, kHeight);
          const double started = read_steady_seconds();
          ASSERT_EQ(show_sweep_step(size), CheckpointOutcome::kContinue);
          step_seconds = read_steady_seconds() - started;
          const QImage after = window_picture();
          offsets.push_back(matching_glyph_offset(after, size, glyph_of_size(size), before));
          EXPECT_EQ(rgb_at(after, 0, 5), kRedPixel) << "column 0 belongs to no stripe";
        }
        stop_program();
      },
      {});
  ASSERT_EQ(code, 0);
  ASSERT_EQ(offsets.size(), 2u);
  EXPECT_TRUE(offsets[0] == 18 || offsets[0] == 450) << offsets[0];
  EXPECT_TRUE(offsets[1] == 20 || offsets[1] == 448) << offsets[1];
  EXPECT_TRUE(time.pauses().empty()) << "no grey phase on the drawing path";
  EXPECT_NEAR(step_seconds, 5.0, 0.001);
}

TEST(StartScreenPicture, GlyphOffsetKeepsToTheStripeRasterOfEachSize) {
  // Sizes 1 to 9: the right half's offset 450 and the left half's 20, each rounded down to a
  // multiple of the size.
  const int right[] = {450, 450, 450, 448, 450, 450, 448, 448, 450};
  const int left[] = {20, 20, 18, 20, 20, 18, 14, 16, 18};
  for (int size = 1; size <= 9; ++size) {
    EXPECT_EQ(glyph_offset(0.75f, size), right[size - 1]) << "size " << size;
    EXPECT_EQ(glyph_offset(0.25f, size), left[size - 1]) << "size " << size;
  }
  EXPECT_EQ(glyph_offset(0.5f, 2), 20) << "only a value above one half places the glyph right";
  EXPECT_EQ(glyph_offset(0.50000006f, 2), 450);
}

}  // namespace
}  // namespace zorikan::testing
