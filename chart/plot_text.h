// Text of the plotting kit: placed in the window's text coordinates, in a font chosen by size from the
// text font ladder, in the current colour of the colour table.
#pragma once

#include <cstdint>
#include <string_view>

namespace zorikan {

// The ladder's font descriptor for a text size: t = 1.5 x size, from "h4w3b" for t <= 4 up to
// "h120w40b" for t > 50, all of the face "Times New Roman Cyr" with best fit.
std::string_view text_font_for_size(float size);

// Selects the ladder's font for a text size in the active window; when the ladder's face is not
// installed, the same cell from any installed scalable face; when neither can be had, the window keeps its
// font.
void select_text_font(float size);

// The pixel column at which `text`, drawn in the current font and rotation from column x of window w,
// ends before the window's last column: x itself, or x moved left by the text's overflow (not beyond
// column 0). A text cut at the right edge loses its last letters; one moved left is read whole.
int32_t x_inside_window(int32_t w, int32_t x, std::string_view text);

// Draws `text` (Windows-1251, drawn with all its characters) with the top-left corner of its cell at
// the point (x, y) of window w's text coordinates, turned by `angle` degrees counter-clockwise, moved
// left as far as it would run past the window's right edge; the rotation is back at 0 afterwards. When the
// ladder's face is not installed, the same cell size is taken from any installed scalable face; when no font
// can be had at all, the text is drawn in the window's current font, or not at all if it has none. Nothing
// here waits or retries on a font.
void plot_text(int32_t w, float x, float y, float size, float angle, std::string_view text);

}  // namespace zorikan
