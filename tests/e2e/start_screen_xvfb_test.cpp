// The real program on a real X11 screen (an Xvfb server of the test's own): the parameter dialog is
// passed with Enter, the start screen's first picture (grating of size 2 with its digit) appears on
// the screen pixel for pixel as its definition gives it, and both mouse buttons, pressed through the
// X server's input path, end the program with exit code 0.
#include <gtest/gtest.h>
#include <QImage>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "session/glyph_file.h"
#include "tests/e2e/session_robot.h"
#include "tests/e2e/xvfb_screen.h"
#include "tests/support/temp_work_dir.h"
#include "tests/support/xvfb_server.h"

namespace zorikan::testing {
namespace {

TEST(StartScreenXvfb, FirstPictureIsOnTheScreenPixelForPixelAndBothButtonsEndTheProgram) {
  XvfbServer server;
  if (!server.started()) GTEST_SKIP() << "no X server for the real-window test: " << server.failure();
  const std::filesystem::path program = program_beside_tests("zorikan");
  ASSERT_TRUE(std::filesystem::exists(program)) << program << " is not built";
  TempWorkDir dir;
  std::filesystem::copy_file(std::filesystem::path(ZORIKAN_SOURCE_DIR) / "data" / "zorikan.sym",
                             dir.path() / "zorikan.sym");
  read_glyph_file();
  std::vector<ReferencePicture> pictures;
  for (int x0 : {20, 450})
    pictures.push_back(reference_picture(980, 650, 2, x0 / 2 * 2, glyph_of_size(2), kBlackPixel));

  const pid_t zorikan = spawn_program({program.string(), "--data-dir", dir.path().string()},
                                      {"DISPLAY=" + server.display(), "QT_QPA_PLATFORM=xcb",
                                       "QT_SCALE_FACTOR=1", "XDG_RUNTIME_DIR=" + dir.path().string()});
  ASSERT_GT(zorikan, 0);
  ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "search", "--sync", "--name", "Ввод параметров"},
                             server.display(), 30))
      << "the parameter dialog did not appear";
  ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "key", "Return"}, server.display())) << "xdotool failed";

  // The picture of size 2 is shown from 1 s to 6 s after the dialog closed.
  QPoint origin(-1, -1);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (origin.x() < 0 && std::chrono::steady_clock::now() < deadline) {
    const QImage shot = screenshot(server.display(), dir.path() / "shot.png");
    for (const ReferencePicture& picture : pictures) {
      if (!shot.isNull() && origin.x() < 0) origin = find_on_screen(shot, picture);
    }
    if (origin.x() < 0) std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  ASSERT_GE(origin.x(), 0) << "the start screen's first picture never appeared 1:1 on the screen";
  std::printf("start screen at (%d, %d) on the screen\n", origin.x(), origin.y());
  EXPECT_EQ(dir.read("zorikan.vvd").substr(0, 9), "200.000  ") << "Enter chose \"Начать работу\"";

  const std::string x = std::to_string(origin.x() + 490), y = std::to_string(origin.y() + 325);
  ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "mousemove", "--sync", x, y, "mousedown", "1", "mousedown",
                              "3", "mouseup", "1", "mouseup", "3"},
                             server.display()));
  EXPECT_EQ(wait_for_exit(zorikan, 20), 0) << "both buttons did not end the program with code 0";
}

}  // namespace
}  // namespace zorikan::testing
