// One surface pixel is one device pixel at every desktop scale factor: the canvas is rendered as the
// window system would show it and compared pixel by pixel with the surface. ctest runs this file at
// the logical DPIs of scale factors 1, 1.25, 1.5 and 2 (ZORIKAN_EXPECTED_PIXEL_RATIO gives the whole-number
// ratio the frame must use there).
#include <gtest/gtest.h>
#include <QPixmap>
#include <QWidget>

#include <cstdlib>
#include <vector>

#include "common/file_units.h"
#include "display/display.h"
#include "display/gui_thread.h"
#include "tests/support/display_harness.h"

namespace zorikan {
namespace {

constexpr int kWidth = 980;
constexpr int kHeight = 650;
constexpr int kHeader = 54;

// A grating of 1-pixel stripes whose phase flips every row, with a coloured diagonal: any resampling
// of the surface shows up as mixed or shifted pixels.
std::vector<uint8_t> grating_image() {
  const int32_t size = kHeader + kWidth * kHeight * 4;
  std::vector<uint8_t> buffer(size, 0);
  auto put32 = [&](int at, uint32_t v) {
    for (int i = 0; i < 4; ++i) buffer[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  buffer[0] = 'B';
  buffer[1] = 'M';
  put32(2, size);
  put32(10, kHeader);
  put32(14, 40);
  put32(18, kWidth);
  put32(22, kHeight);
  buffer[26] = 1;
  buffer[28] = 32;
  put32(34, kWidth * kHeight * 4);
  for (int y = 0; y < kHeight; ++y) {
    uint8_t* row = buffer.data() + kHeader + (kHeight - 1 - y) * kWidth * 4;
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t level = ((x + y) % 2 == 0) ? 255 : 0;
      row[4 * x] = row[4 * x + 1] = row[4 * x + 2] = level;
      if (x == y) row[4 * x + 2] = 255, row[4 * x] = row[4 * x + 1] = 0;
    }
  }
  return buffer;
}

std::atomic<int> g_last_x{-1}, g_last_y{-1};
void record_press(int32_t&, int32_t&, int32_t&, int32_t& x, int32_t& y) {
  g_last_x = x;
  g_last_y = y;
}

TEST(SurfaceScale, CanvasShowsEverySurfacePixelOnOneDevicePixel) {
  const char* expected_env = std::getenv("ZORIKAN_EXPECTED_PIXEL_RATIO");
  const double expected_ratio = expected_env != nullptr ? std::atof(expected_env) : 1.0;
  double ratio = 0;
  QImage shown;
  const std::vector<uint8_t> picture = grating_image();
  const int code = testing::run_display(
      [&] {
        set_exit_behaviour(2);
        open_file(1, "USER", FileStatus::kUnknown, ErrorExit::kNone, FilePosition::kStart, "scale");
        WindowConfig config;
        config.pixel_width = kWidth;
        config.pixel_height = kHeight;
        config.text_columns = config.text_rows = config.color_count = -1;
        config.font_size = -1;
        ASSERT_EQ(set_window_config(config), -1);
        ASSERT_EQ(put_image(0, 0, picture, 3), 1);
        EXPECT_EQ(set_text_cursor(0), 1) << "the text cursor starts shown";
        register_mouse_handler(1, 1, &record_press);
        display::run_on_gui([&] {
          QWidget* canvas = testing::canvas_of_unit(1);
          ratio = canvas->devicePixelRatioF();
          shown = canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
          testing::press_button(1, Qt::LeftButton, 400, 300);
        });
        stop_program();
      },
      {});
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ratio, expected_ratio);
  ASSERT_EQ(shown.size(), QSize(kWidth, kHeight)) << "the canvas covers the surface in device pixels";
  int wrong = 0;
  for (int y = 0; y < kHeight; ++y) {
    const uint8_t* row = picture.data() + kHeader + (kHeight - 1 - y) * kWidth * 4;
    for (int x = 0; x < kWidth; ++x) {
      const QRgb expected = qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
      if (shown.pixel(x, y) != expected) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0) << "surface pixels resampled on the screen";
  EXPECT_EQ(g_last_x, 400) << "a click is reported in surface pixels";
  EXPECT_EQ(g_last_y, 300);
}

}  // namespace
}  // namespace zorikan
