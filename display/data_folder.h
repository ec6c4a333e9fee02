// Where the program keeps its files.
//
// The program reads and writes zorikan.sym, zorikan.vvd and zorikan.rtr in its working directory. An
// installed program is started from a menu in any folder, so before anything else the process moves to
// its data folder: the one the command line names, else $XDG_DATA_HOME/zorikan (by default
// ~/.local/share/zorikan; on Windows %APPDATA%\zorikan). The folder is created when missing; a glyph file is placed there on the first
// run from the installed share folder (or from the source tree when the program runs from its build
// folder). A glyph file already there is the user's and is never overwritten. Paths are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorikan::display {

// The data folder: `chosen` (the command line's --data-dir DIR) when given, else
// zorikan in the user's data home (user_data_home.h). Needs the application object.
std::string data_folder_path(const std::optional<std::string>& chosen);

// For a run that only reads the folder: makes `folder` the working directory when it is there, and
// creates, locks and places nothing. kRefused when it is there but cannot be entered; the reason is then
// on standard error.
enum class FolderEntry { kEntered, kMissing, kRefused };
FolderEntry enter_existing_folder(const std::string& folder);

// With the application object made: prepares `folder` and makes it the working directory, takes it for
// this process alone (data_folder_lock.h), and places the shipped glyph file `glyph_file_name` there when
// it is missing. Returns the exit code when the process must end: 1 for a folder that cannot be made or
// entered, 0 when another ZORIKAN already works in the folder (the reason is shown in a message box and on
// standard error either way). A folder that cannot be locked at all is used as it is, said on standard
// error and in the status bar.
std::optional<int> enter_data_folder(const std::string& folder, std::string_view glyph_file_name);

}  // namespace zorikan::display
