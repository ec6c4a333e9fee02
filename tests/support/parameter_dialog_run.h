// One run of the program through the parameter dialog, the user played by a DialogRobot: what the dialog
// showed, what it returned and the message boxes it raised.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "services/session_params.h"

class QDialog;

namespace zorikan::testing {

// What one run of the program through the dialog left behind.
struct DialogRun {
  int exit_code = -1;
  bool returned = false;  // parameter_dialog returned: the program would go on to the start screen
  SessionParams params;
  std::vector<std::string> shown;  // the five boxes as the dialog first showed them (UTF-8)
  std::vector<std::string> reports;
};

// Runs parameter_dialog as the program does; `step` plays the user every 10 ms while the dialog is
// shown, with the number of message boxes raised so far, until it returns true.
DialogRun run_dialog_steps(const std::function<bool(QDialog&, size_t)>& step);

// `act` plays the user once the dialog is shown.
DialogRun run_dialog(const std::function<void(QDialog&)>& act);

void click_start(QDialog& dialog);

// Lines of zorikan.vvd as the program writes them: Windows-1251, each ended by CR LF.
std::string vvd_lines(std::initializer_list<std::string_view> utf8_lines);

}  // namespace zorikan::testing
