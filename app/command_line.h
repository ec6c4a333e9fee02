// The program's command line: --help, --version, --data-dir DIR and --ring-table, the program's name and
// version that --version and the help tell, and the options answered without a window system.
//
// --help, --version and --ring-table are answered in a terminal without a display, before the window
// system is asked for; every other start reads the command line once the application object is made.
#pragma once

#include <optional>
#include <string>

namespace zorikan {

struct CommandLine {
  std::optional<std::string> data_dir;  // --data-dir DIR as given (UTF-8); none: the default folder
};

// --help and --version (also -h, --help-all, -v), answered before any window system is needed. Returns
// the exit code when one of them was given and answered.
std::optional<int> answer_information_options(int argc, char** argv);

// --ring-table, answered without a window system either: the table for the parameters saved in the data
// folder (--data-dir DIR, else the default one), which is entered but never created, locked or written.
// The default folder missing means nothing was saved yet: the table of the dialog's defaults. A folder
// named by --data-dir that is not there, or a folder that cannot be entered, is said on standard error
// (exit code 1). Nothing when --ring-table was not given.
std::optional<int> answer_ring_table(int argc, char** argv);

// With the application object made: the options of its arguments. An unknown option or one without its
// value ends the process with a report on standard error (exit code 1); --help and --version given in
// another form (say "-hv") are answered and end it too.
CommandLine read_command_line();

}  // namespace zorikan
