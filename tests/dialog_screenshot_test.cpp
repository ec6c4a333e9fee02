// The parameter dialog on a real X11 screen: the demonstration program shows it under an Xvfb server of
// the test's own; a screenshot must show the dialog at its template size and every control's text
// inside the rectangle the template gives it, with the default values in the boxes, and the set-up
// line's red warning that the screen is not 1024 x 768; typing the screen's real resolution 1280 x 1024
// through the X server takes the warning away; then a click on "Начать работу" saves zorikan.vvd and
// ends the program.
#include <gtest/gtest.h>
#include <QColor>
#include <QImage>
#include <QRect>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "dialog/dialog_resources.h"
#include "dialog/dialog_units.h"
#include "tests/e2e/xvfb_screen.h"
#include "tests/support/dialog_robot.h"
#include "tests/support/temp_work_dir.h"
#include "tests/support/xvfb_server.h"

namespace zorikan {
namespace {

using testing::spawn_program;
using testing::wait_for_exit;

bool dark(QRgb pixel) {
  return qGray(pixel) < 96;
}

TEST(DialogScreenshot, ControlsStandWhereTheTemplatePutsThemAndStartSaves) {
  testing::XvfbServer server;
  if (!server.started()) GTEST_SKIP() << "no X server for the real-window test: " << server.failure();
  testing::TempWorkDir dir;
  const pid_t demo = spawn_program({ZORIKAN_DIALOG_DEMO_PATH},
                                   {"DISPLAY=" + server.display(), "QT_QPA_PLATFORM=xcb", "QT_SCALE_FACTOR=1",
                                    "XDG_RUNTIME_DIR=" + dir.path().string()});
  ASSERT_GT(demo, 0);
  ASSERT_TRUE(testing::wait_for_file("shown", 30)) << "the dialog did not appear";
  int x = 0, y = 0;
  dialog::BaseUnits units;
  std::ifstream("shown") >> x >> y >> units.width >> units.height;
  const QPoint origin(x, y);
  const QImage shot = testing::screenshot(server.display(), dir.path() / "shot.png");
  ASSERT_FALSE(shot.isNull()) << "import failed";
  std::printf("dialog client area at (%d, %d); base units %d x %d pixels\n", x, y, units.width, units.height);

  // The client area: 334 x 204 dialog units of the dialog's background, something else beyond.
  const QSize size(dialog::horizontal_pixels(units, 334), dialog::vertical_pixels(units, 204));
  const QRgb background = shot.pixel(origin + QPoint(2, 2));
  EXPECT_EQ(shot.pixel(origin + QPoint(size.width() - 2, size.height() - 2)), background);
  EXPECT_EQ(shot.pixel(origin + QPoint(size.width() - 2, 2)), background);
  EXPECT_NE(shot.pixel(origin + QPoint(size.width() + 1, size.height() / 2)), background);
  EXPECT_NE(shot.pixel(origin + QPoint(size.width() / 2, size.height() + 1)), background);

  // Every control shows dark text inside its own rectangle; the boxes are white inside, set off from
  // the background; no dark pixel lies outside the controls.
  const DialogTemplate& layout = *find_dialog_resource(kParameterDialogId)->dialog;
  std::vector<QRect> rects;
  std::map<int32_t, QPoint> centres;
  for (const DialogItem& item : layout.items) {
    const QRect rect = dialog::to_pixels(units, item.x, item.y, item.width, item.height).translated(origin);
    rects.push_back(rect);
    centres[item.id] = rect.center();
    int dark_pixels = 0;
    for (int py = rect.top(); py <= rect.bottom(); ++py) {
      for (int px = rect.left(); px <= rect.right(); ++px) dark_pixels += dark(shot.pixel(px, py));
    }
    EXPECT_GT(dark_pixels, 10) << "control " << item.id << " \"" << item.text
                               << "\" shows nothing in its place";
    if (item.control_class == ControlClass::kEdit) {
      EXPECT_EQ(shot.pixel(rect.right() - 4, rect.center().y()), qRgb(255, 255, 255)) << "box " << item.id;
      EXPECT_EQ(shot.pixel(rect.left() - 3, rect.center().y()), background) << "left of box " << item.id;
    }
  }
  int stray = 0;
  for (int py = 0; py < size.height(); ++py) {
    for (int px = 0; px < size.width(); ++px) {
      const QPoint at = origin + QPoint(px, py);
      if (!dark(shot.pixel(at))) continue;
      stray += std::none_of(rects.begin(), rects.end(), [&](const QRect& rect) { return rect.contains(at); });
    }
  }
  EXPECT_EQ(stray, 0) << "dark pixels outside every control's rectangle";

  ASSERT_EQ(layout.items.back().id, 1007);
  EXPECT_GT(testing::red_pixels(shot, rects.back()), 50) << "the red warning of another resolution";

  const auto click_at = [&](int id, std::vector<std::string> then) {
    const QPoint at = centres[id];
    then.insert(then.begin(), {"/usr/bin/xdotool", "mousemove", std::to_string(at.x()),
                               std::to_string(at.y()), "click", "1"});
    return testing::run_on_display(then, server.display());
  };
  if (std::filesystem::exists("/usr/bin/xdotool")) {
    EXPECT_TRUE(click_at(1002, {"key", "ctrl+a", "type", "1024"}) &&
                click_at(1003, {"key", "ctrl+a", "type", "1280"}));
    int red = -1;
    for (int attempt = 0; attempt < 50 && red != 0; ++attempt) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      const QImage typed = testing::screenshot(server.display(), dir.path() / "typed.png");
      red = typed.isNull() ? -1 : testing::red_pixels(typed, rects.back());
    }
    EXPECT_EQ(red, 0) << "the warning stays after the real resolution was typed";
    EXPECT_TRUE(click_at(1, {})) << "xdotool failed";
    EXPECT_EQ(wait_for_exit(demo, 20), 0) << "the demo did not end with code 0";
    EXPECT_EQ(dir.read("zorikan.vvd").substr(0, 9), "200.000  ") << "\"Начать работу\" saved the parameters";
  } else {
    std::ofstream("quit") << "quit\n";
    EXPECT_EQ(wait_for_exit(demo, 20), 0) << "the demo did not end with code 0";
  }
}

}  // namespace
}  // namespace zorikan
