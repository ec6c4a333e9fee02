// Opening a graphics window: a child window of the frame on the device "USER", configured to a pixel
// size and registered for the plotting kit's text coordinates.
#pragma once

#include <cstdint>
#include <string_view>

namespace zorikan {

// Opens `unit` as a graphics window of `width` x `height` pixels titled `title` (Windows-1251) and
// makes it the calling thread's active window, with white text background and no text cursor. The
// first call in the program's life fills the colour table with its defaults; unit 1 is tiled to fill
// the frame. A window that cannot be opened ends the program with the layer's report.
void open_graphics_window(int32_t unit, int32_t height, int32_t width, std::string_view title);

}  // namespace zorikan
