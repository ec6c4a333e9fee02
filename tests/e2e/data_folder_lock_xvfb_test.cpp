// One trainer per data folder, with real processes on an Xvfb server of the test's own: a second start on
// a folder in use says so in a message box and ends with exit code 0 without touching a file; a first
// program killed outright leaves nothing that blocks the next start, which then holds the folder in its
// turn; and a lock refused for a reason other than another trainer is said on standard error and in the
// status bar, and the program runs.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "display/data_folder_lock.h"
#include "tests/e2e/xvfb_screen.h"

namespace zorikan::testing {
namespace {

std::map<std::string, std::string> folder_contents(const std::filesystem::path& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream file(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    contents[entry.path().filename().string()] = bytes.str();
  }
  return contents;
}

const std::string kDialogTitle = "Ввод параметров";
const std::string kAlreadyRunningTitle = "ZORIKAN уже запущен";

// Which of `titles` first has a window on the display within `seconds`: its index, or -1 for none.
int first_window(const std::vector<std::string>& titles, const std::string& display, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    for (size_t i = 0; i < titles.size(); ++i) {
      if (run_on_display({"/usr/bin/xdotool", "search", "--name", titles[i]}, display, 5))
        return static_cast<int>(i);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  return -1;
}

// The dark (text) pixels in the frame's status bar right of the run state ("Running") and left of the
// size grip: where a note stands. Waits up to 10 s for the status bar to be drawn (light for the most
// part); -1 when it never was.
int status_note_pixels(const std::string& display, const std::filesystem::path& dir) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    const std::filesystem::path geometry_file = dir / "frame_geometry.txt";
    const pid_t tool = spawn_program({"/usr/bin/xdotool", "search", "--onlyvisible", "--name", "^zorikan$",
                                      "getwindowgeometry", "--shell"},
                                     {"DISPLAY=" + display}, {}, geometry_file);
    const bool found = tool > 0 && wait_for_exit(tool, 20) == 0;
    std::map<std::string, int> frame;  // X, Y, WIDTH, HEIGHT
    std::ifstream lines(geometry_file);
    for (std::string line; found && std::getline(lines, line);) {
      if (const size_t equals = line.find('='); equals != std::string::npos)
        frame[line.substr(0, equals)] = std::atoi(line.c_str() + equals + 1);
    }
    const QImage shot = screenshot(display, dir / "frame.png");
    const int left = frame["X"] + 100, right = frame["X"] + frame["WIDTH"] - 40;
    const int bottom = frame["Y"] + frame["HEIGHT"];
    int dark = 0, light = 0;
    for (int y = bottom - 16; y < bottom - 3 && !shot.isNull() && right - left > 100; ++y) {
      for (int x = left; x < right; ++x) {
        const QRgb pixel = shot.pixel(x, y);
        dark += qRed(pixel) < 0x60 && qGreen(pixel) < 0x60 && qBlue(pixel) < 0x60;
        light += qRed(pixel) > 0xC0 && qGreen(pixel) > 0xC0 && qBlue(pixel) > 0xC0;
      }
    }
    if (light > 4 * dark && light > 0) return dark;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  return -1;
}

TEST(DataFolderLock, ASecondStartSaysSoAndEndsWritingNothingAndAKilledProgramNeverBlocks) {
  XvfbServer server;
  if (!server.started()) GTEST_SKIP() << "no X server for the real-window test: " << server.failure();
  TempWorkDir dir;
  const std::filesystem::path data = dir.path() / "data";
  std::filesystem::create_directory(data);
  std::filesystem::copy_file(std::filesystem::path(ZORIKAN_SOURCE_DIR) / "data" / "zorikan.sym",
                             data / "zorikan.sym");
  const std::string display = server.display();
  const auto start = [&] {
    return spawn_program({program_path().string(), "--data-dir", data.string()},
                         {"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb", "QT_SCALE_FACTOR=1",
                          "XDG_RUNTIME_DIR=" + dir.path().string()},
                         dir.path());
  };

  const pid_t first = start();
  ASSERT_GT(first, 0);
  ASSERT_TRUE(wait_for_window("Ввод параметров", display, 30));
  ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "key", "Return"}, display));
  ASSERT_TRUE(wait_for_file((data / "zorikan.vvd").string(), 10));
  const auto before = folder_contents(data);

  const pid_t second = start();
  ASSERT_GT(second, 0);
  EXPECT_TRUE(wait_for_window("ZORIKAN уже запущен", display, 30)) << "no message of the second start";
  run_on_display({"/usr/bin/xdotool", "key", "Return"}, display);
  EXPECT_EQ(wait_for_exit(second, 20), 0);
  EXPECT_EQ(folder_contents(data), before) << "the second start wrote into the folder";
  EXPECT_EQ(waitpid(first, nullptr, WNOHANG), 0) << "the first program runs on";

  kill(first, SIGKILL);
  waitpid(first, nullptr, 0);
  ASSERT_TRUE(std::filesystem::exists(data / display::kDataFolderLockFileName));
  const pid_t third = start();
  ASSERT_GT(third, 0);
  EXPECT_EQ(first_window({kDialogTitle, kAlreadyRunningTitle}, display, 30), 0)
      << "the killed program's folder is not free again";
  run_on_display({"/usr/bin/xdotool", "key", "Return"}, display);
  EXPECT_EQ(status_note_pixels(display, dir.path()), 0)
      << "a note in the status bar of a program that holds its folder";
  // The lock file the killed program left is the third start's lock now, not a file it works around.
  const pid_t fourth = start();
  ASSERT_GT(fourth, 0);
  EXPECT_TRUE(wait_for_window(kAlreadyRunningTitle, display, 30))
      << "the third start does not hold the folder";
  run_on_display({"/usr/bin/xdotool", "key", "Return"}, display);
  EXPECT_EQ(wait_for_exit(fourth, 20), 0);
  EXPECT_EQ(waitpid(third, nullptr, WNOHANG), 0) << "the third program runs on";
  end_program(third);
}

// A file system without locks, as the lock's test switch makes it: the program runs on the folder, and says
// once on standard error and in the status bar that a second trainer on it would not be held off.
TEST(DataFolderLock, ALockRefusedForAnotherReasonIsSaidOnStandardErrorAndInTheStatusBarAndTheProgramRuns) {
  XvfbServer server;
  if (!server.started()) GTEST_SKIP() << "no X server for the real-window test: " << server.failure();
  TempWorkDir dir;
  const std::filesystem::path data = dir.path() / "data";
  const std::filesystem::path errors = dir.path() / "errors.txt";
  const std::string display = server.display();
  const pid_t program = spawn_program({program_path().string(), "--data-dir", data.string()},
                                      {"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb", "QT_SCALE_FACTOR=1",
                                       "XDG_RUNTIME_DIR=" + dir.path().string(), "LC_ALL=C.UTF-8",
                                       std::string(display::kRefuseFolderLockVariable) + "=1"},
                                      dir.path(), {}, errors);
  ASSERT_GT(program, 0);
  ASSERT_TRUE(wait_for_window(kDialogTitle, display, 30)) << "the program did not run on";
  ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "key", "Return"}, display));
  EXPECT_TRUE(wait_for_file((data / "zorikan.vvd").string(), 10)) << "the program did not work in its folder";
  EXPECT_GT(status_note_pixels(display, dir.path()), 100) << "the status bar does not say it";
  EXPECT_EQ(waitpid(program, nullptr, WNOHANG), 0) << "the program runs on";
  end_program(program);

  std::vector<std::string> said;
  std::ifstream lines(errors);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("lock") != std::string::npos) said.push_back(line);
  }
  const std::string expected = "zorikan: no lock on the data folder " + data.string() + " (cannot lock " +
                               display::kDataFolderLockFileName + ": " + std::strerror(ENOLCK) +
                               "): a second ZORIKAN on it is not held off";
  EXPECT_EQ(said, std::vector<std::string>{expected});
}

}  // namespace
}  // namespace zorikan::testing
