// The real X11 window: the demonstration program runs under an Xvfb server of the test's own, and a
// screenshot of the whole screen must show every primitive at its exact pixels, 1:1.
#include <gtest/gtest.h>
#include <QColor>
#include <QImage>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/temp_work_dir.h"
#include "tests/support/xvfb_server.h"

namespace zorikan {
namespace {

using testing::spawn_program;
using testing::wait_for_exit;

bool is_marker(const QImage& shot, int x, int y) {
  return shot.pixel(x, y) == qRgb(255, 0, 0) && shot.pixel(x + 1, y + 1) == qRgb(0, 0, 255) &&
         shot.pixel(x + 2, y + 2) == qRgb(255, 0, 0) && shot.pixel(x + 2, y) == qRgb(255, 0, 0);
}

QPoint find_marker(const QImage& shot) {
  for (int y = 0; y + 2 < shot.height(); ++y) {
    for (int x = 0; x + 2 < shot.width(); ++x) {
      if (is_marker(shot, x, y)) return {x, y};
    }
  }
  return {-1, -1};
}

bool dark(QRgb pixel) {
  return qGray(pixel) < 96;
}

TEST(XvfbScreenshot, DemoWindowShowsEveryPrimitiveAtItsExactPixels) {
  testing::XvfbServer server;
  if (!server.started()) GTEST_SKIP() << "no X server for the real-window test: " << server.failure();
  testing::TempWorkDir dir;
  const std::vector<std::string> environment = {"DISPLAY=" + server.display(), "QT_QPA_PLATFORM=xcb",
                                                "QT_SCALE_FACTOR=1",
                                                "XDG_RUNTIME_DIR=" + dir.path().string()};
  const pid_t demo = spawn_program({ZORIKAN_DEMO_PATH}, environment);
  ASSERT_GT(demo, 0);
  ASSERT_TRUE(testing::wait_for_file("drawn", 30)) << "the demo did not draw";
  const pid_t import = spawn_program({"/usr/bin/import", "-display", server.display(), "-window", "root",
                                      (dir.path() / "shot.png").string()},
                                     {});
  ASSERT_EQ(wait_for_exit(import, 30), 0) << "import failed";
  std::ofstream("quit") << "quit\n";
  EXPECT_EQ(wait_for_exit(demo, 20), 0) << "the demo did not end with code 0";

  const QImage shot = QImage(QString::fromStdString((dir.path() / "shot.png").string()))
                          .convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(shot.isNull());
  const QPoint origin = find_marker(shot);
  ASSERT_GE(origin.x(), 0) << "the surface's top-left marker is not on the screen";
  auto at = [&](int x, int y) { return shot.pixel(origin.x() + x, origin.y() + y); };

  EXPECT_TRUE(is_marker(shot, origin.x() + 977, origin.y() + 647)) << "the surface is not shown 1:1";
  for (int x = 20; x <= 200; ++x) EXPECT_EQ(at(x, 20), qRgb(0, 0, 0)) << "solid line at x " << x;
  int dotted_set = 0;
  for (int x = 20; x < 200; ++x) dotted_set += at(x, 30) == qRgb(0, 0, 0);
  EXPECT_GT(dotted_set, 20);
  EXPECT_LT(dotted_set, 160);
  EXPECT_EQ(at(200, 30), qRgb(0, 0, 0)) << "a patterned line still sets its end pixel";
  EXPECT_EQ(at(20, 40), qRgb(0, 255, 0));
  EXPECT_EQ(at(120, 100), qRgb(0, 255, 0));
  EXPECT_EQ(at(70, 70), qRgb(255, 255, 255)) << "a border-only rectangle leaves its inside";
  EXPECT_EQ(at(140, 40), qRgb(0, 0, 255));
  EXPECT_EQ(at(240, 100), qRgb(0, 0, 255));
  EXPECT_EQ(at(241, 100), qRgb(255, 255, 255));
  EXPECT_EQ(at(140, 340), qRgb(0, 0, 255)) << "the image copied with get_image and put back";
  EXPECT_EQ(at(240, 400), qRgb(0, 0, 255));
  EXPECT_EQ(at(241, 400), qRgb(255, 255, 255));
  EXPECT_EQ(at(310, 70), qRgb(255, 0, 255));
  EXPECT_EQ(at(261, 41), qRgb(255, 255, 255)) << "the ellipse leaves its box's corners";
  EXPECT_EQ(at(430, 80), qRgb(0, 255, 255));
  EXPECT_EQ(at(385, 45), qRgb(255, 255, 255));
  EXPECT_EQ(at(500, 70), qRgb(255, 0, 0));
  EXPECT_EQ(at(501, 70), qRgb(255, 255, 255));

  // The text: dark pixels inside its 38-pixel cell, none above or below it, and the position after it
  // (marked in red) just beyond its last dark pixel.
  int text_end = -1;
  for (int x = 0; x < 980 && text_end < 0; ++x) {
    if (is_marker(shot, origin.x() + x, origin.y() + 260)) text_end = x;
  }
  ASSERT_GT(text_end, 400) << "the text advanced the position";
  int inside = 0, outside = 0, rightmost = 0;
  for (int y = 150; y < 258; ++y) {
    for (int x = 20; x < 979; ++x) {
      if (!dark(at(x, y))) continue;
      if (y >= 200 && y < 238) {
        ++inside;
        rightmost = std::max(rightmost, x);
      } else {
        ++outside;
      }
    }
  }
  EXPECT_GT(inside, 2000) << "the line of text is drawn";
  EXPECT_EQ(outside, 0) << "the text keeps to its cell";
  EXPECT_LE(rightmost, text_end + 8);
  EXPECT_GE(rightmost, text_end - 30);
  std::printf("surface at (%d, %d); text from x 20 to %d, %d dark pixels\n", origin.x(), origin.y(), text_end,
              inside);
}

}  // namespace
}  // namespace zorikan
