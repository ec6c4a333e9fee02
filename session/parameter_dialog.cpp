// The parameter dialog. For now it only sets the built-in defaults and lets the program go on; the
// dialog itself, and the saved parameters in zorikan.vvd, come in its own change.
#include "session/parameter_dialog.h"

#include "session/session_params.h"

namespace zorikan {

void parameter_dialog() {
  session_params.distance_cm = 200.0f;
  session_params.diagonal_inch = 17.7f;
  session_params.screen_nx = 1024;
  session_params.screen_ny = 768;
  session_params.training_volume = 100;
}

}  // namespace zorikan
