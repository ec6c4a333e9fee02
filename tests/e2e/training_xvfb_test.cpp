// The real program on a real X11 screen (an Xvfb server of the test's own) with real clicks through
// the X server: a training run of 3 images (the volume set in zorikan.vvd) started with a left click,
// answered, closed with the final click, and its record in zorikan.rtr.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "common/cp1251.h"
#include "services/results_log.h"
#include "tests/support/temp_work_dir.h"
#include "tests/support/xvfb_server.h"

namespace zorikan::testing {
namespace {

std::filesystem::path program_path() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "zorikan";
}

bool xdotool(std::vector<std::string> arguments, const std::string& display, double seconds = 20) {
  arguments.insert(arguments.begin(), "/usr/bin/xdotool");
  const pid_t pid = spawn_program(arguments, {"DISPLAY=" + display});
  return pid > 0 && wait_for_exit(pid, seconds) == 0;
}

void sleep_seconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

TEST(TrainingXvfb, ARunOfThreeImagesWithRealClicksEndsWithItsRecordInTheLog) {
  XvfbServer server;
  if (!server.started()) GTEST_SKIP() << "no X server for the real-window test: " << server.failure();
  const std::filesystem::path program = program_path();
  ASSERT_TRUE(std::filesystem::exists(program)) << program << " is not built";
  TempWorkDir dir;
  std::filesystem::copy_file(std::filesystem::path(ZORIKAN_SOURCE_DIR) / "data" / "zorikan.sym",
                             dir.path() / "zorikan.sym");
  dir.write("zorikan.vvd", "200.000\r\n 17.700\r\n    768\r\n   1024\r\n      3\r\n");
  const pid_t zorikan = spawn_program({program.string(), "--data-dir", dir.path().string()},
                                      {"DISPLAY=" + server.display(), "QT_QPA_PLATFORM=xcb",
                                       "QT_SCALE_FACTOR=1", "XDG_RUNTIME_DIR=" + dir.path().string()});
  ASSERT_GT(zorikan, 0);
  const std::string& display = server.display();
  ASSERT_TRUE(xdotool({"search", "--sync", "--name", "Ввод параметров"}, display, 30));
  ASSERT_TRUE(xdotool({"key", "Return"}, display));
  // The frame's client area is at the screen's top-left part; (500, 400) lies inside the graphics window.
  sleep_seconds(2.5);
  ASSERT_TRUE(xdotool({"mousemove", "--sync", "500", "400", "click", "1"}, display)) << "start the run";
  // Each image: 1 s of grey, then the answer window; a click 1.5 s after the grey began is an answer.
  for (int image = 0; image < 3; ++image) {
    sleep_seconds(1.9);
    ASSERT_TRUE(xdotool({"click", "1"}, display));
  }
  EXPECT_TRUE(wait_for_file((dir.path() / "zorikan.rtr").string(), 20)) << "no record was written";
  sleep_seconds(0.5);
  ASSERT_TRUE(xdotool({"click", "3"}, display)) << "the final click";
  sleep_seconds(0.5);
  ASSERT_TRUE(xdotool(
      {"click", "--delay", "0", "1", "mousedown", "1", "mousedown", "3", "mouseup", "1", "mouseup", "3"},
      display));
  EXPECT_EQ(wait_for_exit(zorikan, 20), 0) << "both buttons on the start screen did not end the program";

  const std::string log = dir.read("zorikan.rtr");
  ASSERT_EQ(log.size(), 2 * (kTrainingRecordLength + 2)) << log;
  EXPECT_EQ(log.substr(0, kTrainingRecordLength), kResultsLogHeader.view());
  const std::string record = log.substr(kTrainingRecordLength + 2);
  EXPECT_EQ(record.substr(36, 27), utf8_to_cp1251("  200.0см  Is=   2  Nп=   3"));
  EXPECT_EQ(record.substr(85, 4), "   0") << "no image missed";
  EXPECT_EQ(record.substr(record.size() - 2), "\r\n");
}

}  // namespace
}  // namespace zorikan::testing
