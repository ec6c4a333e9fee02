// The parameter dialog of the start-up: fills session_params from the defaults, zorikan.vvd and the
// dialog IDD_DIALOG1, saves them, or ends the program when the user leaves it.
#pragma once

#include <cstdint>

#include "dialog/dialog.h"

namespace zorikan {

// Called once by main_program before the start screen, on the program thread; returns only when the
// user chose "Начать работу", otherwise ends the program.
void parameter_dialog();

// Bound to both buttons: records which one was pressed (1 "Начать работу", 2 "Выйти из программы"),
// then ends the dialog. The callback kind is not used.
void dialog_button_handler(DialogRecord& dialog, int32_t& control_id, int32_t& callback_kind);

}  // namespace zorikan
