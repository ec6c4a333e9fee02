// ZORIKAN eye trainer: the process is handed to the Display layer, which calls the program's start-up
// hook, runs main_program on the program thread and the message loop on this one.
#include "display/display.h"
#include "session/main_program.h"
#include "session/startup_settings.h"

int main(int argc, char** argv) {
  return zorikan::run_display_process(argc, argv, {&zorikan::startup_settings, &zorikan::main_program});
}
