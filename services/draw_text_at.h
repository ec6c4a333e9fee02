// Text at a point: the graphics position moved to a pixel and the text drawn from there.
#pragma once

#include <cstdint>
#include <string_view>

namespace zorikan {

// Moves the active window's graphics position to pixel (x, y) and draws `text` (Windows-1251) from there
// in the current font, rotation and colour. Program thread.
void draw_text_at(int16_t x, int16_t y, std::string_view text);

}  // namespace zorikan
