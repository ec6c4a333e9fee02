// The about text that the menu command "Инструкция" shows.
#pragma once

#include <string_view>

namespace zorikan {

// Windows-1251; paragraphs separated by two carriage returns (13, no line feed), the last two
// sentences by one. The first names the program and its version. At most the Display layer's 512 bytes
// (CMakeLists.txt chooses the guide's name to fit).
std::string_view about_text();

}  // namespace zorikan
