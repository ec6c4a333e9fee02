// The parameter dialog on a real X11 screen: the demonstration program shows it under an Xvfb server of
// the test's own; a screenshot must show the dialog at its template size and every control's text
// inside the rectangle the template gives it, with the default values in the boxes; then a click on
// "Начать работу", sent through the X server, saves zorikan.vvd and ends the program.
#include <gtest/gtest.h>
#include <QColor>
#include <QImage>
#include <QRect>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "dialog/dialog_resources.h"
#include "dialog/dialog_units.h"
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
  const pid_t import = spawn_program({"/usr/bin/import", "-display", server.display(), "-window", "root",
                                      (dir.path() / "shot.png").string()},
                                     {});
  ASSERT_EQ(wait_for_exit(import, 30), 0) << "import failed";
  int x = 0, y = 0;
  dialog::BaseUnits units;
  std::ifstream("shown") >> x >> y >> units.width >> units.height;
  const QPoint origin(x, y);
  const QImage shot = QImage(QString::fromStdString((dir.path() / "shot.png").string()))
                          .convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(shot.isNull());
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
  for (const DialogItem& item : layout.items) {
    const QRect rect = dialog::to_pixels(units, item.x, item.y, item.width, item.height).translated(origin);
    rects.push_back(rect);
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

  const QPoint start = rects[0].center();
  if (std::filesystem::exists("/usr/bin/xdotool")) {
    const pid_t click = spawn_program(
        {"/usr/bin/xdotool", "mousemove", std::to_string(start.x()), std::to_string(start.y()), "click", "1"},
        {"DISPLAY=" + server.display()});
    EXPECT_EQ(wait_for_exit(click, 20), 0) << "xdotool failed";
    EXPECT_EQ(wait_for_exit(demo, 20), 0) << "the demo did not end with code 0";
    EXPECT_EQ(dir.read("zorikan.vvd").substr(0, 9), "200.000  ") << "\"Начать работу\" saved the parameters";
  } else {
    std::ofstream("quit") << "quit\n";
    EXPECT_EQ(wait_for_exit(demo, 20), 0) << "the demo did not end with code 0";
  }
}

}  // namespace
}  // namespace zorikan
