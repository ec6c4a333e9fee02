// Both buttons on the real program, pressed through the X server's input path as a hand presses them:
// left down, 0.1 s, right down, 0.1 s, left up, 0.05 s, right up, while the first picture after the
// parameter dialog is shown, when the start screen polls the mouse words without pause. Every run must
// end the program; a left press taken for a completed left click (its code read together with the key
// state from before it) lets the sweep go on instead. Two X servers run the tries side by side.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_work_dir.h"
#include "tests/support/xvfb_server.h"

namespace zorikan::testing {
namespace {

constexpr int kTriesPerServer = 25;

// The first picture is shown from 1 s to 6 s after the dialog closed; the presses begin inside it.
constexpr auto kDialogToPicture = std::chrono::milliseconds(1150);

// The tries on one X server, each with a fresh program in `directory`; the first failure, or "".
std::string run_tries(const std::string& display, const std::filesystem::path& directory) {
  for (int run = 1; run <= kTriesPerServer; ++run) {
    const std::string where = display + ", run " + std::to_string(run) + ": ";
    const pid_t program =
        spawn_program({program_beside_tests("zorikan").string(), "--data-dir", directory.string()},
                      {"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb", "QT_SCALE_FACTOR=1",
                       "XDG_RUNTIME_DIR=" + directory.string()},
                      directory);
    if (program <= 0) return where + "the program did not start";
    if (!wait_for_window("Ввод параметров", display, 30) ||
        !run_on_display({"/usr/bin/xdotool", "key", "Return"}, display)) {
      wait_for_exit(program, 0);
      return where + "the parameter dialog did not appear";
    }
    std::this_thread::sleep_for(kDialogToPicture);
    run_on_display({"/usr/bin/xdotool", "mousemove", "500", "400", "mousedown", "1", "sleep", "0.1",
                    "mousedown", "3", "sleep", "0.1", "mouseup", "1", "sleep", "0.05", "mouseup", "3"},
                   display);
    if (wait_for_exit(program, 3) != 0) return where + "both buttons did not end the program with code 0";
  }
  return {};
}

TEST(BothButtonsXvfb, EndTheProgramRightAfterTheDialogFiftyTimesInARow) {
  if (!std::filesystem::exists("/usr/bin/Xvfb") || !std::filesystem::exists("/usr/bin/xdotool")) {
    GTEST_SKIP() << "Xvfb and xdotool are not installed";
  }
  ASSERT_TRUE(std::filesystem::exists(program_beside_tests("zorikan"))) << "the program is not built";
  TempWorkDir dir;
  XvfbServer servers[2];
  std::vector<std::future<std::string>> lanes;
  for (XvfbServer& server : servers) {
    ASSERT_TRUE(server.started()) << server.failure();
    const std::filesystem::path directory = dir.path() / server.display().substr(1);
    std::filesystem::create_directory(directory);
    std::filesystem::permissions(directory, std::filesystem::perms::owner_all);  // a runtime directory
    std::filesystem::copy_file(std::filesystem::path(ZORIKAN_SOURCE_DIR) / "data" / "zorikan.sym",
                               directory / "zorikan.sym");
    lanes.push_back(std::async(std::launch::async, run_tries, server.display(), directory));
  }
  for (auto& failure : lanes) EXPECT_EQ(failure.get(), "");
}

}  // namespace
}  // namespace zorikan::testing
