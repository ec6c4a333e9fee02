// Text at a point; see draw_text_at.h.
#include "services/draw_text_at.h"

#include "display/display.h"

namespace zorikan {

void draw_text_at(int16_t x, int16_t y, std::string_view text) {
  GraphicsPosition previous;
  move_to(x, y, previous);
  draw_text(text);
}

}  // namespace zorikan
