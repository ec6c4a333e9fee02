// One trainer per data folder, with real processes on an Xvfb server of the test's own: a second start on
// a folder in use says so in a message box and ends with exit code 0 without touching a file, and a first
// program killed outright leaves nothing that blocks the next start.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <fstream>
#include <map>
#include <sstream>

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
  const pid_t third = start();
  ASSERT_GT(third, 0);
  EXPECT_TRUE(wait_for_window("Ввод параметров", display, 30)) << "the killed program's folder is free again";
  EXPECT_FALSE(wait_for_window("ZORIKAN уже запущен", display, 1));
  end_program(third);
}

}  // namespace
}  // namespace zorikan::testing
