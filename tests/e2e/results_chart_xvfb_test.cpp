// The real program on a real X11 screen (an Xvfb server of the test's own), with a prepared zorikan.rtr:
// the menu item "Итоги_тренировок" clicked through the X server draws both frames with their bars, and a
// click on the chart returns to the start screen.
#include <gtest/gtest.h>
#include <QImage>

#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_work_dir.h"
#include "tests/support/xvfb_server.h"
#include "training/results_log.h"

namespace zorikan::testing {
namespace {

std::filesystem::path program_path() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "zorikan";
}

bool run_on_display(const std::vector<std::string>& arguments, const std::string& display) {
  const pid_t pid = spawn_program(arguments, {"DISPLAY=" + display});
  return pid > 0 && wait_for_exit(pid, 20) == 0;
}

QImage screenshot(const std::string& display, const std::filesystem::path& file) {
  if (!run_on_display({"/usr/bin/import", "-display", display, "-window", "root", file.string()}, display))
    return {};
  return QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_RGB32);
}

std::string record(const Format& layout, OutputList values) {
  std::array<char, kResultsLogLineLength> text;
  format_to_text(text, layout, values);
  const std::string line(text.data(), text.size());
  return line.substr(0, line.find_last_not_of(' ') + 1) + "\r\n";
}

bool black_run(const QImage& shot, int x, int y, int length) {
  for (int i = 0; i < length; ++i)
    if ((shot.pixel(x + i, y) & 0xFFFFFF) != 0) return false;
  return true;
}

// The window's top-left corner on the screen, found by the top borders of the frames (x 40..937 at rows
// 35 and 287 of the window); (-1, -1) when the chart is not shown.
QPoint chart_origin(const QImage& shot) {
  for (int y = 35; y + 252 < shot.height(); ++y) {
    for (int x = 40; x + 898 <= shot.width(); ++x) {
      if (black_run(shot, x, y, 898) && black_run(shot, x, y + 252, 898)) return {x - 40, y - 35};
    }
  }
  return {-1, -1};
}

QPoint wait_for_chart(const std::string& display, const std::filesystem::path& file, bool shown) {
  QPoint origin(-1, -1);
  for (int attempt = 0; attempt < 50; ++attempt) {
    origin = chart_origin(screenshot(display, file));
    if ((origin.x() >= 0) == shown) return origin;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  return shown ? QPoint(-1, -1) : origin;
}

TEST(ResultsChartXvfb, MenuItemShowsFramesAndBarsAndAClickReturns) {
  XvfbServer server;
  if (!server.started()) GTEST_SKIP() << "no X server for the real-window test: " << server.failure();
  ASSERT_TRUE(std::filesystem::exists(program_path()));
  TempWorkDir dir;
  std::filesystem::copy_file(std::filesystem::path(ZORIKAN_SOURCE_DIR) / "data" / "zorikan.sym",
                             dir.path() / "zorikan.sym");
  dir.write("zorikan.rtr",
            std::string(kResultsLogHeader.view()) + "\r\n" +
                record(kVisionRecordLayout, {1, 3, 2026, 10, 0, 0, 60.0f, 15.6f, 1080, 1920, 0.5f}) +
                record(kTrainingRecordLayout, {2, 3, 2026, 18, 0, 0, 400.0f, 6, 160, 150, 5, 5, 0.5f, 45}));
  const std::string& display = server.display();
  const pid_t zorikan = spawn_program({program_path().string(), "--data-dir", dir.path().string()},
                                      {"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb", "QT_SCALE_FACTOR=1",
                                       "XDG_RUNTIME_DIR=" + dir.path().string()});
  ASSERT_GT(zorikan, 0);
  ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "search", "--sync", "--name", "Ввод параметров"}, display));
  ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "key", "Return"}, display));
  std::this_thread::sleep_for(std::chrono::seconds(2));

  // The frame's menu bar starts at the screen's top-left corner; the second entry is the chart's.
  ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "mousemove", "--sync", "123", "8", "click", "1"}, display));
  const QPoint origin = wait_for_chart(display, dir.path() / "shot.png", true);
  ASSERT_GE(origin.x(), 0) << "the chart's frames never appeared";
  const QImage shot = screenshot(display, dir.path() / "shot.png");
  const auto at = [&](int x, int y) { return shot.pixel(origin.x() + x, origin.y() + y) & 0xFFFFFF; };
  EXPECT_TRUE(black_run(shot, origin.x() + 40, origin.y() + 612, 785)) << "frame 2, left of the bar";
  EXPECT_EQ(at(227, 200), 0x0000FFu) << "the acuity bar";
  EXPECT_EQ(at(825, 400), 0x00B200u) << "the images bar";

  const std::string x = std::to_string(origin.x() + 490), y = std::to_string(origin.y() + 150);
  ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "mousemove", "--sync", x, y, "click", "1"}, display));
  EXPECT_LT(wait_for_chart(display, dir.path() / "shot.png", false).x(), 0) << "the start screen came back";
  ASSERT_TRUE(run_on_display(
      {"/usr/bin/xdotool", "mousedown", "1", "mousedown", "3", "mouseup", "1", "mouseup", "3"}, display));
  EXPECT_EQ(wait_for_exit(zorikan, 20), 0);
}

}  // namespace
}  // namespace zorikan::testing
