// The menu routine of "Выход"; see exit_program.h.
#include "session/exit_program.h"

#include "common/file_units.h"
#include "common/program_stop.h"
#include "display/display.h"
#include "services/graphics_window.h"

namespace zorikan {

void exit_program() {
  // The program thread may be drawing: the Display layer lets its calls to the closed unit fail
  // quietly until the stop ends the thread.
  close_file(kGraphicsUnit);
  beep(0, 350);
  stop_program();
}

}  // namespace zorikan
