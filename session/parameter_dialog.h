// The parameter dialog of the start-up: fills session_params from the defaults, zorikan.vvd and the
// dialog IDD_DIALOG1, saves them, or ends the program when the user leaves it. While it is shown, a line
// under the boxes says what the set-up typed can measure and whether the resolution is the screen's, and
// the button "Линейка" measures the diagonal against a bank card.
#pragma once

#include <cstdint>

#include "dialog/dialog.h"

namespace zorikan {

// Called once by main_program before the start screen, on the program thread; returns only when the
// user chose "Начать работу", otherwise ends the program.
void parameter_dialog();

// Bound to both buttons: records which one was pressed (1 "Начать работу", 2 "Выйти из программы"),
// then ends the dialog. "Начать работу" with a number outside its box's range (parameter_ranges.h)
// instead shows a message naming the box and the range, and the dialog stays open. The callback kind
// is not used.
void dialog_button_handler(DialogRecord& dialog, int32_t& control_id, int32_t& callback_kind);

}  // namespace zorikan
