// The click prompt; see click_prompt.h.
#include "services/click_prompt.h"

#include "display/display.h"
#include "services/colors.h"
#include "services/draw_text_at.h"
#include "services/screen_fonts.h"

namespace zorikan {

void show_click_prompt() {
  select_font(kScreenTextFont);
  set_draw_color_rgb(kBlue);
  draw_text_at(60, 550, kClickPromptText.view());
}

}  // namespace zorikan
