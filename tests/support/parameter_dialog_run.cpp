// Runs of the program through the parameter dialog; see parameter_dialog_run.h.
#include "tests/support/parameter_dialog_run.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "common/cp1251.h"
#include "display/display.h"
#include "services/window_size.h"
#include "session/parameter_dialog.h"
#include "tests/support/dialog_robot.h"
#include "tests/support/display_harness.h"

namespace zorikan::testing {
namespace {

constexpr int kBoxIds[] = {1000, 1001, 1002, 1003, 1004};

}  // namespace

DialogRun run_dialog_steps(const std::function<bool(QDialog&, size_t)>& step) {
  DialogRun run;
  RecordedBoxes boxes;
  DialogRobot robot([&](QDialog& dialog) {
    if (run.shown.empty()) {
      for (int id : kBoxIds) run.shown.push_back(edit_box(dialog, id)->text().toStdString());
    }
    return step(dialog, boxes.snapshot().size());
  });
  run.exit_code = run_display(
      [&] {
        set_exit_behaviour(2);
        // The graphics window's size as the program reads it back before the dialog.
        window_nx = 980;
        window_ny = 650;
        parameter_dialog();
        run.returned = true;
        run.params = session_params;
        stop_program();
      },
      {}, &boxes);
  for (const auto& box : boxes.snapshot()) run.reports.push_back(box.text);
  return run;
}

DialogRun run_dialog(const std::function<void(QDialog&)>& act) {
  return run_dialog_steps([&](QDialog& dialog, size_t) {
    act(dialog);
    return true;
  });
}

void click_start(QDialog& dialog) {
  click(push_button(dialog, 1));
}

std::string vvd_lines(std::initializer_list<std::string_view> utf8_lines) {
  std::string bytes;
  for (std::string_view line : utf8_lines) bytes += utf8_to_cp1251(line) + "\r\n";
  return bytes;
}

}  // namespace zorikan::testing
