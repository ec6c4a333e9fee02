// Where the program keeps its files, and the command line that may choose it.
//
// The program reads and writes zorikan.sym, zorikan.vvd and zorikan.rtr in its working directory. An
// installed program is started from a menu in any folder, so before anything else the process moves to
// its data folder: --data-dir DIR, else $XDG_DATA_HOME/zorikan (by default ~/.local/share/zorikan). The
// folder is created when missing; a glyph file is placed there on the first run from the installed share
// folder (or from the source tree when the program runs from its build folder). A glyph file already
// there is the user's and is never overwritten.
#pragma once

#include <optional>

namespace zorikan::display {

// --help and --version, answered before any window system is needed (a terminal without a display).
// Returns the exit code when one of them was given and answered.
std::optional<int> answer_information_options(int argc, char** argv);

// --ring-table, answered without a window system either: makes the data folder (--data-dir DIR, else the
// default one) the working directory when it exists, and hands over to `print_table`, telling it whether
// it runs there (false: the folder does not exist, so no parameters were saved). Returns the exit code:
// print_table's, or 1 when the folder exists but cannot be entered. Nothing when --ring-table was not
// given.
std::optional<int> answer_ring_table(int argc, char** argv, int (*print_table)(bool in_data_folder));

// With the application object made: reads --data-dir, prepares the folder and makes it the working
// directory, and takes the folder for this process alone (data_folder_lock.h). Returns the exit code when
// the process must end: 1 for an unknown option or a folder that cannot be made or entered, 0 when another
// ZORIKAN already works in the folder (the reason is shown in a message box and on standard error either
// way). A folder that cannot be locked at all is used as it is, said on standard error and in the status
// bar.
std::optional<int> enter_data_folder();

}  // namespace zorikan::display
