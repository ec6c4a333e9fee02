// A demonstration of the parameter dialog (not the whole eye trainer): the frame and the 980 x 650
// window as the program opens them, then parameter_dialog. Once the dialog has been on the screen
// for half a second it writes the file "shown" in the working directory: the screen position of the
// dialog's client area and the dialog font's base units, "x y width height" in pixels. A file "quit"
// closes the frame; otherwise the program ends as the dialog's buttons say, with exit code 0 when
// "Начать работу" saved zorikan.vvd.
#include <QApplication>
#include <QTimer>

#include <filesystem>
#include <fstream>

#include "common/cp1251.h"
#include "dialog/dialog_window.h"
#include "display/display.h"
#include "display/frame_state.h"
#include "services/window_size.h"
#include "session/open_graphics_window.h"
#include "session/parameter_dialog.h"

namespace {

using namespace zorikan;

bool demo_startup() {
  set_window_geometry(kFrameUnit, WindowGeometry{4, 50, 50, 400, 650});
  return true;
}

void demo_main() {
  set_exit_behaviour(2);
  set_window_geometry(kFrameUnit, WindowGeometry{4, 0, 0, 768, 1024});
  open_graphics_window(1, 650, 980, cp1251<"Тренажер для глаз">().view());
  // The set-up line measures rings against the window's size, read back as the program does.
  WindowConfig granted;
  get_window_config(granted);
  window_nx = granted.pixel_width;
  window_ny = granted.pixel_height;
  parameter_dialog();
  stop_program();
}

// GUI thread, every 100 ms.
void watch(int& visible_ticks) {
  if (std::filesystem::exists("quit")) {
    if (QWidget* frame = display::frame_widget()) frame->close();
    return;
  }
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = dynamic_cast<dialog::DialogWindow*>(widget);
    if (dialog == nullptr || !dialog->isVisible()) continue;
    if (++visible_ticks != 5) return;
    const QPoint origin = dialog->mapToGlobal(QPoint(0, 0));
    std::ofstream("shown") << origin.x() << ' ' << origin.y() << ' ' << dialog->base_units().width << ' '
                           << dialog->base_units().height << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  QApplication application(argc, argv);
  int visible_ticks = 0;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] { watch(visible_ticks); });
  watcher.start(100);
  return run_display_process(argc, argv, {&demo_startup, &demo_main});
}
