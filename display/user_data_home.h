// The folder under which each program keeps the user's own data: $XDG_DATA_HOME (by default
// ~/.local/share) on Linux (user_data_home_linux.cpp), the roaming application-data folder %APPDATA% on
// Windows (user_data_home_win32.cpp), so that the history travels with a roaming profile.
#pragma once

#include <QString>

namespace zorikan::display {

QString user_data_home();

}  // namespace zorikan::display
