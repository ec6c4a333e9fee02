// The plotting kit on a 980 x 650 window without a screen: frame boxes, the world-to-pixel mapping and
// its edge clamping, grid counts and positions, the grid switched off, and the text font by size.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "chart/draw_axes.h"
#include "chart/grid_walk.h"
#include "chart/plot_frames.h"
#include "chart/plot_text.h"
#include "chart/world_to_pixel.h"
#include "display/window_registry.h"
#include "services/color_table.h"
#include "services/window_registration.h"
#include "tests/support/screenless_window.h"

namespace zorikan {
namespace {

constexpr float kDay = 86400;

class PlottingKit : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = testing::open_screenless_window(980, 650);
    ASSERT_TRUE(window_);
    window_->surface.fill(0xFFFFFFFF);
    register_window(1, 980, 650);
    fill_default_colors();
    select_color(7);
    define_frame(1, 1, 10, 110, 220, 60);
    define_frame(1, 2, 10, 10, 220, 90);
    set_frame_world(1, 2, 0, 2 * kDay, 0, 1);
  }
  void TearDown() override {
    display::set_thread_active_window(nullptr);
    display::close_window(1);
  }
  bool black(int x, int y) const { return (window_->surface.pixel(x, y) & 0xFFFFFF) == 0; }
  // The rows (seen between columns 41 and 480) and the columns (seen between rows 290 and 345) that hold
  // a black pixel: away from the middle day line and from the grid's rows.
  std::set<int> black_rows() const {
    std::set<int> rows;
    for (int y = 0; y < 650; ++y)
      for (int x = 41; x <= 480; ++x)
        if (black(x, y)) rows.insert(y);
    return rows;
  }
  std::set<int> black_columns() const {
    std::set<int> columns;
    for (int x = 0; x < 980; ++x)
      for (int y = 290; y <= 345; ++y)
        if (black(x, y)) columns.insert(x);
    return columns;
  }

  std::shared_ptr<display::ChildWindow> window_;
};

TEST_F(PlottingKit, FramesTakeTheirPixelBoxesAndDrawTheirBorders) {
  for (const auto& [f, top, bottom] : {std::tuple{1, 35, 252}, std::tuple{2, 287, 612}}) {
    const PlotFrame& frame = plot_frame(1, f);
    EXPECT_EQ(frame.pixel_left, 40);
    EXPECT_EQ(frame.pixel_width, 897);
    EXPECT_EQ(frame.pixel_bottom, bottom);
    EXPECT_EQ(frame.pixel_height, bottom - top);
    for (int x = 40; x <= 937; ++x) EXPECT_TRUE(black(x, top) && black(x, bottom)) << f << " " << x;
    for (int y = top; y <= bottom; ++y) EXPECT_TRUE(black(40, y) && black(937, y)) << f << " " << y;
  }
  EXPECT_EQ(black_rows(), (std::set<int>{35, 252, 287, 612}));
}

TEST_F(PlottingKit, WorldPointsMapToTheNearestPixelAndOutsidePointsToTheEdge) {
  struct Case {
    float x, y;
    int ix, iy;
  };
  for (const Case& c : {Case{0, 0, 40, 612}, Case{2 * kDay, 1, 937, 287}, Case{kDay, 0.5f, 489, 450},
                        Case{kDay / 2, 0.2f, 264, 547}, Case{-5, 2, 40, 287}, Case{1e9f, -1, 937, 612},
                        Case{kDay, 1.5f, 489, 287}}) {
    int32_t ix = 0, iy = 0;
    world_to_pixel(1, 2, c.x, c.y, ix, iy);
    EXPECT_EQ(ix, c.ix) << c.x << ", " << c.y;
    EXPECT_EQ(iy, c.iy) << c.x << ", " << c.y;
  }
  set_frame_world(1, 2, 0, 0, 1, 1);  // an empty box: its low edges, no division by zero
  int32_t ix = 0, iy = 0;
  world_to_pixel(1, 2, 3, 3, ix, iy);
  EXPECT_EQ(std::pair(ix, iy), std::pair(40, 612));
}

TEST_F(PlottingKit, GridLinesStopBelowTheTopAndTheBorderDrawsIt) {
  EXPECT_EQ(grid_line_count(0.2f, 0, 1), 5);
  EXPECT_EQ(grid_line_count(kDay, 0, 2 * kDay), 3);
  EXPECT_EQ(grid_line_count(0, 0, 1), 0);
  window_->surface.fill(0xFFFFFFFF);
  draw_axes(1, 2, 0, 0.2f);
  // 0, 0.2, 0.4, 0.6 and 0.8 in 4-byte reals, the border at 1.
  EXPECT_EQ(black_rows(), (std::set<int>{287, 352, 417, 482, 547, 612}));
  EXPECT_EQ(black_columns(), (std::set<int>{40, 937}));
  int dots = 0;
  for (int x = 41; x <= 936; ++x) dots += black(x, 417);
  EXPECT_GT(dots, 200) << "dotted";
  EXPECT_LT(dots, 700) << "dotted";

  window_->surface.fill(0xFFFFFFFF);
  draw_axes(1, 2, kDay, 0.2f);
  EXPECT_EQ(black_columns(), (std::set<int>{40, 489, 937}));
}

// Dates centuries apart in a log: far more grid lines than the frame has pixels. Every column (row)
// of the frame then holds a grid line, with the same dots as the first.
TEST_F(PlottingKit, GridLinesCloserThanAPixelFillEveryColumnOrRowWithTheSameDots) {
  struct Case {
    float x_step, y_step;
    bool columns;
  };
  // Whole steps, which 4-byte reals add up exactly.
  for (const Case& c : {Case{1, 0, true}, Case{0, 1, false}}) {
    window_->surface.fill(0xFFFFFFFF);
    set_frame_world(1, 2, 0, 200'000, 0, 200'000);
    draw_axes(1, 2, c.x_step, c.y_step);
    const QImage& surface = window_->surface;
    int dots = 0;
    for (int x = 41; x <= 936; ++x) {
      for (int y = 288; y <= 611; ++y) {
        const QRgb first = c.columns ? surface.pixel(40, y) : surface.pixel(x, 300);
        ASSERT_EQ(surface.pixel(x, y), first) << (c.columns ? "columns " : "rows ") << x << " " << y;
        dots += black(x, y);
      }
    }
    EXPECT_GT(dots, 896 * 324 / 4) << "dotted";
    EXPECT_LT(dots, 896 * 324 * 3 / 4) << "dotted";
  }
}

// The walk that jumps the positions inside a pixel line visits the very 4-byte positions that adding the
// step one by one gives: across binades, where the step's rounding is a tie, where it is lost entirely,
// from below zero, and downwards indices; and it looks at a few dozen positions per line, not millions.
TEST(GridWalk, VisitsWhatAddingOneByOneVisits) {
  struct Case {
    const char* what;
    float first, step;
    int64_t count;
    float scale;  // index = trunc(v * scale), clamped to 0..900 (negated when scale < 0)
  };
  const Case cases[] = {
      {"ten thousand years of days on 900 columns", 0, 86400, 3'652'500, 900 / 3.1557e11f},
      {"ties: 86400 is 337.5 units in [2^31, 2^32)", 2147483648.0f, 86400, 2'000'000, 900 / 4.3e9f},
      {"a step lost in the rounding", 1e30f, 1, 1'000'000, 1e-28f},
      {"from below zero", -5e6f, 3, 4'000'000, 1e-4f},
      {"0.2 up to 1, rows downwards", 0, 0.2f, 5, -325},
      {"tenths across many binades", 1e-3f, 0.1f, 3'000'000, 0.003f},
  };
  for (const Case& c : cases) {
    int64_t looks = 0;
    const auto index = [&](float v) {
      ++looks;
      const float scaled = std::fabs(c.scale) * v;
      const int32_t i = scaled < 0 ? 0 : scaled > 900 ? 900 : static_cast<int32_t>(scaled);
      return c.scale < 0 ? -i : i;
    };
    std::vector<std::pair<float, int32_t>> expected;
    float v = c.first;
    for (int64_t k = 0; k < c.count; ++k, v += c.step) {
      if (expected.empty() || index(v) != expected.back().second) expected.emplace_back(v, index(v));
    }
    std::vector<std::pair<float, int32_t>> walked;
    looks = 0;
    walk_grid_lines(c.first, c.step, c.count, GridIndexOrder::kMonotone, index,
                    [&](float at) { walked.emplace_back(at, index(at)); });
    EXPECT_EQ(walked, expected) << c.what;
    EXPECT_LT(looks, 200 * static_cast<int64_t>(expected.size()) + 200) << c.what;
  }
}

TEST_F(PlottingKit, AYStepOfZeroDrawsNeitherGridNorBorder) {
  window_->surface.fill(0xFFFFFFFF);
  draw_axes(1, 2, 0, 0);
  EXPECT_TRUE(black_rows().empty());
  draw_axes(1, 2, kDay, 0);
  EXPECT_EQ(black_columns(), (std::set<int>{40, 489, 937}));
  EXPECT_TRUE(black_rows().empty()) << "no horizontal line";
}

TEST_F(PlottingKit, TextFontBySizeAndATextWithoutFontsDoesNotBlock) {
  for (const auto& [size, font] :
       {std::pair{8.0f, "t'Times New Roman Cyr'h24w7b"}, std::pair{4.0f, "t'Times New Roman Cyr'h12w4b"},
        std::pair{2.66f, "t'Times New Roman Cyr'h4w3b"}, std::pair{10.0f, "t'Times New Roman Cyr'h28w8b"},
        std::pair{20.0f, "t'Times New Roman Cyr'h52w18b"},
        std::pair{34.0f, "t'Times New Roman Cyr'h120w40b"}}) {
    EXPECT_EQ(text_font_for_size(size), font) << size;
  }
  window_->surface.fill(0xFFFFFFFF);
  plot_text(1, 120, 90, 8, 0, "abc");  // no fonts enumerated: returns, draws nothing
  EXPECT_TRUE(black_rows().empty());
}

}  // namespace
}  // namespace zorikan
