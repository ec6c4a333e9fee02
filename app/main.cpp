// ZORIKAN eye trainer: the options answered without a window (--help, --version, --ring-table); else,
// after the command line and the data folder, the process is handed to the Display layer, which calls
// the program's start-up hook, runs main_program on the program thread and the message loop on this one.
#include <QApplication>

#include "app/command_line.h"
#include "display/console.h"
#include "display/data_folder.h"
#include "display/display.h"
#include "session/glyph_file.h"
#include "session/main_program.h"
#include "session/startup_settings.h"

int main(int argc, char** argv) {
  zorikan::display::attach_parent_console();
  if (const auto code = zorikan::answer_information_options(argc, argv)) return *code;
  if (const auto code = zorikan::answer_ring_table(argc, argv)) return *code;
  zorikan::prepare_application();
  QApplication application(argc, argv);
  const zorikan::CommandLine command_line = zorikan::read_command_line();
  const std::string folder = zorikan::display::data_folder_path(command_line.data_dir);
  if (const auto code = zorikan::display::enter_data_folder(folder, zorikan::kGlyphFileName)) return *code;
  return zorikan::run_display_process(argc, argv, {&zorikan::startup_settings, &zorikan::main_program});
}
