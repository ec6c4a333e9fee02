// The real program's vision check on a real X11 screen (an Xvfb server of the test's own), answered with
// real clicks through the X server: the first ring on the screen holds the black area of the largest
// ring's figure at the default set-up; one right answer and three wrong ones at the largest ring fail it,
// the result screen appears and zorikan.rtr holds the header and one 80-column record of acuity 0.00.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "session/glyph_file.h"
#include "tests/e2e/vision_robot.h"
#include "tests/e2e/xvfb_screen.h"

namespace zorikan::testing {
namespace {

TEST(VisionCheckXvfb, RealClicksAnswerTheRingsUntilTheResultScreenAndTheRecord) {
  XvfbServer server;
  if (!server.started()) GTEST_SKIP() << "no X server for the real-window test: " << server.failure();
  TempWorkDir dir;
  std::filesystem::copy_file(std::filesystem::path(ZORIKAN_SOURCE_DIR) / "data" / "zorikan.sym",
                             dir.path() / "zorikan.sym");
  read_glyph_file();
  const std::string display = server.display();
  const pid_t zorikan = spawn_program({program_path().string(), "--data-dir", dir.path().string()},
                                      {"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb", "QT_SCALE_FACTOR=1",
                                       "XDG_RUNTIME_DIR=" + dir.path().string()});
  ASSERT_GT(zorikan, 0);
  ASSERT_TRUE(
      run_on_display({"/usr/bin/xdotool", "search", "--sync", "--name", "Ввод параметров"}, display, 30));
  ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "key", "Return"}, display));

  const std::vector<ReferencePicture> start = {
      reference_picture(980, 650, 2, 20, glyph_of_size(2), kBlackPixel),
      reference_picture(980, 650, 2, 450, glyph_of_size(2), kBlackPixel)};
  QPoint origin(-1, -1);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (origin.x() < 0 && std::chrono::steady_clock::now() < deadline) {
    const QImage shot = screenshot(display, dir.path() / "shot.png");
    for (const ReferencePicture& picture : start) {
      if (!shot.isNull() && origin.x() < 0) origin = find_on_screen(shot, picture);
    }
  }
  ASSERT_GE(origin.x(), 0) << "the start screen never appeared";
  const std::string x = std::to_string(origin.x() + 490), y = std::to_string(origin.y() + 325);
  ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "mousemove", "--sync", x, y, "click", "3"}, display));

  // Answer each new ring: right, then wrong three times; a ring is new after a blank screen.
  int rings = 0;
  double first_ring_darkness = 0;
  bool waiting_for_blank = false, result = false;
  while (!result && std::chrono::steady_clock::now() < deadline) {
    const QImage window = screenshot(display, dir.path() / "shot.png").copy(origin.x(), origin.y(), 980, 650);
    result = shows_blue(window);
    const RingView view = look_at_ring(window);
    if (view.outer_diameter == 0) waiting_for_blank = false;
    if (result || waiting_for_blank || view.side == 0) continue;
    if (rings == 0) first_ring_darkness = darkness_of(window);
    const bool right = rings++ == 0;
    const std::string button = (view.side > 0) == right ? "3" : "1";
    ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "click", button}, display));
    waiting_for_blank = true;
  }
  ASSERT_TRUE(result) << "no result screen after " << rings << " rings";
  EXPECT_EQ(rings, 4) << "the right answer kept the level open until the third wrong one";
  const double area = IdealRing::at(0.1, 200, 17.7, 1024, 768).black_area();
  EXPECT_NEAR(first_ring_darkness, area, 0.01 * area);
  const auto records = results_records(dir);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].size(), 80u);
  EXPECT_EQ(records[0].substr(29), utf8_to_cp1251("сек, D=  200.0см  DD=17.7  ny= 768 nx=1024 OZ2=0.00"));

  ASSERT_TRUE(run_on_display({"/usr/bin/xdotool", "click", "1"}, display));
  std::this_thread::sleep_for(std::chrono::seconds(2));
  ASSERT_TRUE(run_on_display(
      {"/usr/bin/xdotool", "mousedown", "1", "mousedown", "3", "mouseup", "1", "mouseup", "3"}, display));
  EXPECT_EQ(wait_for_exit(zorikan, 20), 0) << "both buttons on the start screen end the program";
}

}  // namespace
}  // namespace zorikan::testing
