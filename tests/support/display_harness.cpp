#include "tests/support/display_harness.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "display/canvas_widget.h"
#include "display/display.h"
#include "display/frame_state.h"
#include "display/stop_point.h"
#include "display/window_registry.h"

namespace zorikan::testing {
namespace {

std::function<void()> g_program;
std::function<bool()> g_startup;

void harness_main() {
  g_program();
}
bool harness_startup() {
  return g_startup ? g_startup() : true;
}

void send_button(bool press, int unit, int button, int x, int y, int modifiers) {
  QWidget* canvas = canvas_of_unit(unit);
  ASSERT_NE(canvas, nullptr) << "unit " << unit << " has no window";
  QWindow* window = canvas->window()->windowHandle();
  ASSERT_NE(window, nullptr);
  const qreal ratio = canvas->devicePixelRatioF();
  const QPoint local(static_cast<int>(x / ratio), static_cast<int>(y / ratio));
  const QPoint in_window = canvas->mapTo(canvas->window(), local);
  const auto qt_button = static_cast<Qt::MouseButton>(button);
  const auto qt_modifiers = static_cast<Qt::KeyboardModifiers>(modifiers);
  if (press) {
    QTest::mousePress(window, qt_button, qt_modifiers, in_window);
  } else {
    QTest::mouseRelease(window, qt_button, qt_modifiers, in_window);
  }
}

}  // namespace

std::vector<display::MessageBoxRequest> RecordedBoxes::snapshot() {
  std::lock_guard guard(lock);
  return boxes;
}

int run_display(std::function<void()> program, const HarnessOptions& options, RecordedBoxes* boxes) {
  g_program = std::move(program);
  g_startup = options.startup_settings;
  display::set_message_box_responder([boxes, answer = options.question_answer](const auto& request) {
    if (boxes != nullptr) {
      std::lock_guard guard(boxes->lock);
      boxes->boxes.push_back(request);
    }
    return request.buttons == display::BoxButtons::kYesNo ? answer : display::BoxAnswer::kOk;
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] {
    ADD_FAILURE() << "the program did not end in time";
    // A program thread that never calls into the layer again makes the process end without it, with the
    // frame's exit code and before the test can report: a non-zero code keeps the failure seen.
    display::set_exit_code(1);
    display::request_stop();
    if (QWidget* frame = display::frame_widget()) frame->close();
  });
  watchdog.start(options.watchdog_seconds * 1000);
  char name[] = "zorikan";
  char* argv[] = {name, nullptr};
  return run_display_process(1, argv, ProgramHooks{&harness_startup, &harness_main});
}

QWidget* frame_widget_for_test() {
  return display::frame_widget();
}

QWidget* canvas_of_unit(int unit) {
  auto window = display::window_of_unit(unit);
  if (!window) return nullptr;
  return display::child_view_of(*window).canvas;
}

void press_button(int unit, int button, int x, int y, int modifiers) {
  send_button(true, unit, button, x, y, modifiers);
}

void release_button(int unit, int button, int x, int y, int modifiers) {
  send_button(false, unit, button, x, y, modifiers);
}

}  // namespace zorikan::testing
