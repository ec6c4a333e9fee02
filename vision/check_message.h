// A message that ends the vision check instead of a result: the window blanked, the message in blue and
// the prompt to click at its foot.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zorikan {

// Blanks window unit 1 (window_nx x window_ny pixels) and draws `lines` (Windows-1251) in blue one under
// another (an empty line draws nothing), then "Для продолжения нажмите любую кнопку мыши". Program thread.
void show_check_message(const std::array<std::string_view, 3>& lines, int16_t window_nx, int16_t window_ny);

}  // namespace zorikan
