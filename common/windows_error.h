// The system's own words for a Windows error code, for the program's messages. Windows only: its one
// realisation is windows_error_win32.cpp, used by the Windows twins of the platform services.
#pragma once

#include <string>

namespace zorikan {

// The system's message for `error` in UTF-8, in English where the system has it (the program's other
// messages of this kind are English), else in the system's own language, followed by the code:
// "Access is denied. (Windows error 5)".
std::string windows_error_text(unsigned long error);

}  // namespace zorikan
