// The parameter dialog of the start-up: fills session_params, or ends the program when the user
// leaves it.
#pragma once

namespace zorikan {

// Called once by main_program before the start screen; returns only when the program goes on.
void parameter_dialog();

}  // namespace zorikan
