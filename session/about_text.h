// The about text that the menu command "Инструкция" shows.
#pragma once

#include <string_view>

namespace zorikan {

// Windows-1251; paragraphs separated by two carriage returns (13, no line feed), the last two
// sentences by one. 503 bytes, within the Display layer's 512.
std::string_view about_text();

}  // namespace zorikan
