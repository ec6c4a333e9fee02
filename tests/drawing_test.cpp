// Drawing primitives on a window without a screen: exact pixels of lines and their patterns,
// rectangles, ellipses, polygons and single pixels, and the statuses they record.
#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

#include "display/colors.h"
#include "display/display.h"
#include "display/layer_status.h"
#include "display/window_registry.h"
#include "tests/support/screenless_window.h"

namespace zorikan {
namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 30;
constexpr int32_t kRed = 0x0000FF;   // RGB 0x00BBGGRR
constexpr int32_t kBlue = 0xFF0000;  // RGB 0x00BBGGRR

class DrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = testing::open_screenless_window(kWidth, kHeight);
    ASSERT_TRUE(window_);
    set_draw_color_rgb(kRed);
  }
  void TearDown() override {
    display::close_window(1);
    display::set_thread_active_window(nullptr);
  }

  uint32_t pixel(int x, int y) const {
    return reinterpret_cast<const uint32_t*>(window_->surface.constScanLine(y))[x];
  }
  bool is_red(int x, int y) const { return pixel(x, y) == display::to_qrgb(kRed); }
  void clear() { window_->surface.fill(0); }

  // The area as rows of '#' (red) and '.' (anything else), one line per row.
  std::string picture(int left, int top, int right, int bottom) const {
    std::string rows;
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x) rows += is_red(x, y) ? '#' : '.';
      rows += '\n';
    }
    return rows;
  }
  std::string row(int y, int left, int right) const {
    std::string pixels;
    for (int x = left; x <= right; ++x) pixels += is_red(x, y) ? '#' : '-';
    return pixels;
  }
  int red_count() const {
    int count = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) count += is_red(x, y);
    }
    return count;
  }

  std::shared_ptr<display::ChildWindow> window_;
};

TEST_F(DrawingTest, ColourSettersReturnThePreviousColourAsRgb) {
  EXPECT_EQ(set_draw_color_rgb(0x123456), kRed);
  EXPECT_EQ(window_->draw_color, 0x80123456u);
  window_->draw_color = 7;  // palette index: light grey
  EXPECT_EQ(set_draw_color_rgb(kRed), 0xC0C0C0);
  window_->draw_color = 1;  // palette index: dark blue
  EXPECT_EQ(set_draw_color_rgb(kRed), 0x800000);
  window_->draw_color = 12;  // palette index: red
  EXPECT_EQ(set_draw_color_rgb(kRed), 0x0000FF);

  EXPECT_EQ(display::color_to_rgb(0x80ABCDEF), 0xABCDEFu);
  EXPECT_EQ(display::color_to_rgb(14), 0x00FFFFu);  // yellow
  EXPECT_EQ(display::to_qrgb(0x123456), 0xFF563412u);
  EXPECT_EQ(display::rgb_from_qrgb(0x00563412), 0x123456u);

  // A pixel takes its own colour, not the drawing colour; the surface keeps B, G, R, 0xFF.
  EXPECT_EQ(set_pixel_rgb(3, 4, 0x00FF00), 0);
  EXPECT_EQ(set_pixel_rgb(3, 4, 0x123456), 0x00FF00);
  const uchar* bytes = window_->surface.constScanLine(4) + 4 * 3;
  EXPECT_EQ(std::vector<uchar>(bytes, bytes + 4), (std::vector<uchar>{0x12, 0x34, 0x56, 0xFF}));
  EXPECT_EQ(set_pixel_rgb(kWidth, 0, kRed), -1);
  EXPECT_EQ(set_pixel_rgb(0, -1, kRed), -1);
  EXPECT_EQ(red_count(), 0);
}

TEST_F(DrawingTest, RectanglesCoverTheirCornersInclusive) {
  EXPECT_NE(draw_rectangle(3, 10, 10, 5, 5), 0);
  EXPECT_EQ(display::layer_status(), display::kStatusCorrected);
  EXPECT_EQ(picture(4, 4, 11, 11),
            "........\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            ".######.\n"
            "........\n");
  EXPECT_TRUE(window_->pending_damage.contains(QRect(5, 5, 6, 6)));

  clear();
  EXPECT_NE(draw_rectangle(3, 7, 7, 7, 7), 0);
  EXPECT_EQ(red_count(), 1);
  EXPECT_TRUE(is_red(7, 7));

  clear();
  EXPECT_NE(draw_rectangle(2, 1, 1, 5, 4), 0);
  EXPECT_EQ(display::layer_status(), display::kStatusOk);
  EXPECT_EQ(picture(0, 0, 6, 5),
            ".......\n"
            ".#####.\n"
            ".#...#.\n"
            ".#...#.\n"
            ".#####.\n"
            ".......\n");

  clear();
  for (int16_t control : {0, 1, 4, -3}) {
    EXPECT_EQ(draw_rectangle(control, 1, 1, 5, 5), 0);
    EXPECT_EQ(display::layer_status(), display::kStatusBadArgument);
  }
  EXPECT_EQ(red_count(), 0);

  EXPECT_NE(draw_rectangle(3, -3, -3, 1, 1), 0);
  EXPECT_EQ(display::layer_status(), display::kStatusClipped);
  EXPECT_EQ(red_count(), 4);
  EXPECT_NE(draw_rectangle(3, kWidth, 0, kWidth + 5, 5), 0);
  EXPECT_EQ(display::layer_status(), display::kStatusNothingDrawn);
  EXPECT_EQ(red_count(), 4);
}

TEST_F(DrawingTest, RectangleBorderFollowsTheLinePatternButTheFillDoesNot) {
  set_line_pattern(0xFF00);  // dotted
  draw_rectangle(2, 0, 0, 6, 3);
  EXPECT_EQ(picture(0, 0, 6, 3),
            "#..#..#\n"
            ".......\n"
            ".......\n"
            "#..#..#\n");

  clear();
  set_line_pattern(0);
  draw_rectangle(2, 0, 0, 6, 3);
  EXPECT_EQ(red_count(), 0);
  draw_rectangle(3, 0, 0, 6, 3);
  EXPECT_EQ(red_count(), 28);
}

TEST_F(DrawingTest, LineToIncludesItsEndPixelAndMovesThePosition) {
  GraphicsPosition previous{99, 99};
  EXPECT_EQ(move_to(2, 5, previous), 0);
  EXPECT_EQ(previous.x, 0);
  EXPECT_EQ(previous.y, 0);
  EXPECT_EQ(line_to(8, 5), 1);
  EXPECT_EQ(row(5, 0, 10), "--#######--");
  EXPECT_EQ(red_count(), 7);
  EXPECT_EQ(move_to(-1, -2, previous), 5 << 16 | 8);
  EXPECT_EQ(move_to(0, 0, previous), static_cast<int32_t>(0xFFFEFFFFu));
  EXPECT_EQ(previous.x, -1);
  EXPECT_EQ(previous.y, -2);

  clear();
  move_to(10, 10, previous);
  line_to(10, 10);
  line_to(10, 10);
  EXPECT_EQ(red_count(), 1);
  EXPECT_TRUE(is_red(10, 10));

  clear();
  move_to(0, 0, previous);
  line_to(4, 4);
  EXPECT_EQ(picture(0, 0, 4, 4),
            "#....\n"
            ".#...\n"
            "..#..\n"
            "...#.\n"
            "....#\n");

  // A shallow line: one pixel per column, each within half a pixel of the ideal line.
  clear();
  move_to(12, 5, previous);
  line_to(0, 0);
  EXPECT_EQ(red_count(), 13);
  for (int x = 0; x <= 12; ++x) {
    int column_count = 0;
    for (int y = 0; y < kHeight; ++y) {
      if (!is_red(x, y)) continue;
      ++column_count;
      EXPECT_LE(std::abs(y - 5.0 * x / 12.0), 0.5) << "x " << x << " y " << y;
    }
    EXPECT_EQ(column_count, 1) << "x " << x;
  }
}

TEST_F(DrawingTest, LinePatternsChooseTheStyleByTheirNumberOfSetBits) {
  struct Case {
    int32_t mask;
    const char* pixels;  // of a line from (0, 0) to (20, 0): the end pixel is always set
  };
  const Case cases[] = {
      {0xFFFF, "#####################"},   // 16 bits: solid
      {0x7FFF, "####--####--####--###"},   // 15: dashed
      {0xFFF0, "####--####--####--###"},   // 12: dashed
      {0xFFC0, "####--#--####--#--###"},   // 10: dash-dot
      {0xFF80, "####--#--#--####--#-#"},   // 9: dash-dot-dot
      {0xFF00, "#--#--#--#--#--#--#-#"},   // 8: dotted
      {0xCCCC, "#--#--#--#--#--#--#-#"},   // 8: dotted, whatever the bits' places
      {0x0001, "#--#--#--#--#--#--#-#"},   // 1: dotted
      {0x10000, "--------------------#"},  // only the low 16 bits count: nothing but the end pixel
      {0x0000, "--------------------#"},
  };
  GraphicsPosition previous;
  for (const Case& c : cases) {
    window_->surface.fill(display::to_qrgb(kBlue));
    set_line_pattern(c.mask);
    move_to(0, 0, previous);
    EXPECT_EQ(line_to(20, 0), 1);
    EXPECT_EQ(row(0, 0, 20), c.pixels) << std::hex << c.mask;
    // Gaps are transparent: the blue background stays.
    for (int x = 0; x <= 20; ++x) {
      if (c.pixels[x] == '-') {
        EXPECT_EQ(pixel(x, 0), display::to_qrgb(kBlue)) << x;
      }
    }
  }
  EXPECT_EQ(move_to(0, 0, previous), 20);  // the position moved even when only the end pixel was set
}

TEST_F(DrawingTest, LineStatusesTellWhatLiesOutside) {
  GraphicsPosition previous;
  move_to(-5, 3, previous);
  EXPECT_EQ(line_to(-1, 10), 1);
  EXPECT_EQ(display::layer_status(), display::kStatusNothingDrawn);
  EXPECT_EQ(red_count(), 0);
  move_to(-5, 3, previous);
  line_to(5, 3);
  EXPECT_EQ(display::layer_status(), display::kStatusClipped);
  EXPECT_EQ(row(3, 0, 6), "######-");
  line_to(5, kHeight + 4);
  EXPECT_EQ(display::layer_status(), display::kStatusClipped);
  line_to(6, 6);
  EXPECT_EQ(display::layer_status(), display::kStatusClipped);
  line_to(9, 9);
  EXPECT_EQ(display::layer_status(), display::kStatusOk);
}

TEST_F(DrawingTest, EllipsesAreInscribedInTheirBoxAndSymmetric) {
  EXPECT_NE(draw_ellipse(3, 1, 1, 5, 5), 0);
  EXPECT_EQ(picture(0, 0, 6, 6),
            ".......\n"
            "..###..\n"
            ".#####.\n"
            ".#####.\n"
            ".#####.\n"
            "..###..\n"
            ".......\n");
  clear();
  set_line_pattern(0);  // the outline is solid whatever the pattern
  EXPECT_NE(draw_ellipse(2, 5, 5, 1, 1), 0);
  EXPECT_EQ(display::layer_status(), display::kStatusCorrected);
  EXPECT_EQ(picture(0, 0, 6, 6),
            ".......\n"
            "..###..\n"
            ".#...#.\n"
            ".#...#.\n"
            ".#...#.\n"
            "..###..\n"
            ".......\n");
  clear();
  draw_ellipse(3, 4, 4, 4, 4);
  EXPECT_EQ(red_count(), 1);

  const QRect boxes[] = {QRect(2, 3, 20, 10), QRect(1, 1, 31, 27), QRect(0, 0, 2, 2),
                         QRect(3, 2, 20, 2),  QRect(5, 1, 2, 15),  QRect(4, 4, 8, 9)};
  for (const QRect& box : boxes) {
    for (int16_t control : {2, 3}) {
      clear();
      draw_ellipse(control, box.right(), box.bottom(), box.left(), box.top());
      SCOPED_TRACE(::testing::Message() << "control " << control << " box " << box.x() << "," << box.y()
                                        << " " << box.width() << "x" << box.height());
      bool touches_left = false, touches_right = false, touches_top = false, touches_bottom = false;
      for (int y = 0; y < kHeight; ++y) {
        int runs = 0;
        for (int x = 0; x < kWidth; ++x) {
          if (!is_red(x, y)) continue;
          ASSERT_TRUE(box.contains(x, y)) << x << "," << y;
          touches_left |= x == box.left();
          touches_right |= x == box.right();
          touches_top |= y == box.top();
          touches_bottom |= y == box.bottom();
          EXPECT_TRUE(is_red(box.left() + box.right() - x, y)) << x << "," << y;
          EXPECT_TRUE(is_red(x, box.top() + box.bottom() - y)) << x << "," << y;
          runs += x == 0 || !is_red(x - 1, y);
        }
        EXPECT_LE(runs, control == 3 ? 1 : 2) << "row " << y;
      }
      EXPECT_TRUE(touches_left && touches_right && touches_top && touches_bottom);
      if (control == 2 && box.width() > 4 && box.height() > 4) {
        EXPECT_FALSE(is_red(box.center().x(), box.center().y()));
      }
    }
  }

  clear();
  EXPECT_EQ(draw_ellipse(1, 1, 1, 5, 5), 0);
  EXPECT_EQ(display::layer_status(), display::kStatusBadArgument);
  EXPECT_EQ(red_count(), 0);
}

TEST_F(DrawingTest, PolygonsTakeThreeTo16381Points) {
  const std::vector<GraphicsPosition> triangle = {{2, 2}, {12, 2}, {2, 12}};
  EXPECT_EQ(draw_polygon(3, std::span(triangle).first(2)), 0);
  EXPECT_EQ(display::layer_status(), display::kStatusBadArgument);
  std::vector<GraphicsPosition> many(16382, GraphicsPosition{1, 1});
  many[1] = {20, 1};
  many[2] = {1, 20};
  EXPECT_EQ(draw_polygon(3, many), 0);
  EXPECT_EQ(display::layer_status(), display::kStatusBadArgument);
  EXPECT_EQ(draw_polygon(0, triangle), 0);
  EXPECT_EQ(red_count(), 0);
  many.pop_back();
  EXPECT_NE(draw_polygon(3, many), 0);
  EXPECT_TRUE(is_red(5, 5));

  clear();
  EXPECT_NE(draw_polygon(2, triangle), 0);
  EXPECT_EQ(display::layer_status(), display::kStatusOk);
  EXPECT_TRUE(is_red(2, 2) && is_red(12, 2) && is_red(2, 12));
  EXPECT_TRUE(is_red(2, 7));  // the edge that closes the polygon, from the last point to the first
  EXPECT_TRUE(is_red(7, 7));  // on the slanted edge
  EXPECT_FALSE(is_red(4, 4));
  EXPECT_EQ(red_count(), 30);

  clear();
  draw_polygon(3, triangle);
  for (int y = 2; y <= 12; ++y) EXPECT_EQ(row(y, 2, 14), std::string(13 - y, '#') + std::string(y, '-'));

  clear();
  set_line_pattern(0xFF00);
  const std::vector<GraphicsPosition> square = {{0, 0}, {6, 0}, {6, 3}, {0, 3}};
  draw_polygon(2, square);
  EXPECT_EQ(picture(0, 0, 6, 3),
            "#..#..#\n"
            ".......\n"
            ".......\n"
            "#..#..#\n");
  const std::vector<GraphicsPosition> off_left = {{-4, 2}, {6, 2}, {6, 8}};
  EXPECT_NE(draw_polygon(3, off_left), 0);
  EXPECT_EQ(display::layer_status(), display::kStatusClipped);
}

TEST_F(DrawingTest, WithoutAnActiveWindowNothingIsDrawn) {
  display::close_window(1);
  GraphicsPosition previous{7, 7};
  const std::vector<GraphicsPosition> triangle = {{2, 2}, {12, 2}, {2, 12}};
  EXPECT_EQ(set_draw_color_rgb(kBlue), -1);
  EXPECT_EQ(move_to(3, 3, previous), 0);
  EXPECT_EQ(line_to(9, 9), 0);
  set_line_pattern(0);
  EXPECT_EQ(set_pixel_rgb(1, 1, kRed), -1);
  EXPECT_EQ(draw_rectangle(3, 0, 0, 9, 9), 0);
  EXPECT_EQ(draw_ellipse(3, 0, 0, 9, 9), 0);
  EXPECT_EQ(draw_polygon(3, triangle), 0);
  EXPECT_EQ(display::layer_status(), display::kStatusFailure);
  EXPECT_EQ(red_count(), 0);
  EXPECT_EQ(window_->draw_color, static_cast<uint32_t>(kRed) | kRgbFlag);
  EXPECT_EQ(window_->line_pattern, 0xFFFF);
  EXPECT_EQ(window_->position, QPoint(0, 0));
}

}  // namespace
}  // namespace zorikan
