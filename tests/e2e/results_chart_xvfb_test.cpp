// The real program on a real X11 screen (an Xvfb server of the test's own), with a prepared zorikan.rtr
// of three years of daily runs, acuities of 1.5 and a last line whose count was written "****": the menu
// item "Итоги_тренировок" clicked through the X server draws the chart on white over the start screen's
// grating, with week lines standing apart, the acuity bars three quarters up frame 1, every text inside
// the window and the red note on the last line; a click on the chart returns to the start screen.
#include <gtest/gtest.h>
#include <QImage>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "services/results_log.h"
#include "tests/support/temp_work_dir.h"
#include "tests/support/xvfb_server.h"

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

// A training run every day from 1 January 2023 to 31 December 2025 (the first 28 days of each month), a
// vision check of 1.5 every tenth day, and a last run whose number of images did not fit its field.
std::string three_years_of_runs() {
  std::string log = std::string(kResultsLogHeader.view()) + "\r\n";
  for (int32_t day = 0; day < 3 * 336; ++day) {
    const int32_t d = 1 + day % 28, m = 1 + day / 28 % 12, y = 2023 + day / 336;
    if (day % 10 == 0)
      log += record(kVisionRecordLayout, {d, m, y, 10, 0, 0, 60.0f, 15.6f, 1080, 1920, 1.5f});
    log += record(kTrainingRecordLayout, {d, m, y, 18, 0, 0, 200.0f, 5, 100, 90, 5, 5, 1.5f, 10});
  }
  return log + record(kTrainingRecordLayout, {31, 12, 2025, 20, 0, 0, 200.0f, 5, 10000, 90, 5, 5, 1.5f, 10});
}

TEST(ResultsChartXvfb, MenuItemShowsAReadableChartAndAClickReturns) {
  XvfbServer server;
  if (!server.started()) GTEST_SKIP() << "no X server for the real-window test: " << server.failure();
  ASSERT_TRUE(std::filesystem::exists(program_path()));
  TempWorkDir dir;
  std::filesystem::copy_file(std::filesystem::path(ZORIKAN_SOURCE_DIR) / "data" / "zorikan.sym",
                             dir.path() / "zorikan.sym");
  dir.write("zorikan.rtr", three_years_of_runs());
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
  const auto columns_holding = [&](uint32_t colour, int top, int bottom) {
    std::vector<int> columns;
    for (int x = 0; x < 980; ++x)
      for (int y = top; y <= bottom; ++y)
        if (at(x, y) == colour) {
          columns.push_back(x);
          break;
        }
    return columns;
  };
  int white = 0;
  for (int y = 35; y <= 612; ++y)
    for (int x = 938; x < 980; ++x) white += at(x, y) == 0xFFFFFF;
  EXPECT_GE(white, 42 * 578 * 99 / 100) << "the margin right of the frames";
  for (int y = 0; y < 650; ++y) EXPECT_EQ(at(979, y), 0xFFFFFFu) << "the last column, row " << y;
  const std::vector<int> lines = columns_holding(0x000000, 290, 345);
  EXPECT_GT(lines.size(), 100u) << "the week lines";
  for (size_t i = 1; i < lines.size(); ++i) EXPECT_GE(lines[i] - lines[i - 1], 4) << lines[i];
  EXPECT_GT(columns_holding(0x0000FF, 89, 89).size(), 800u) << "acuities of 1.5";
  EXPECT_LT(columns_holding(0x0000FF, 36, 88).back(), 40) << "in frame 1 nothing above three quarters up";
  EXPECT_GT(columns_holding(0xFF0000, 5, 33).size(), 50u) << "the note on the last line";

  const std::string x = std::to_string(origin.x() + 490), y = std::to_string(origin.y() + 150);
  ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "mousemove", "--sync", x, y, "click", "1"}, display));
  EXPECT_LT(wait_for_chart(display, dir.path() / "shot.png", false).x(), 0) << "the start screen came back";
  ASSERT_TRUE(run_on_display(
      {"/usr/bin/xdotool", "mousedown", "1", "mousedown", "3", "mouseup", "1", "mouseup", "3"}, display));
  EXPECT_EQ(wait_for_exit(zorikan, 20), 0);
}

}  // namespace
}  // namespace zorikan::testing
