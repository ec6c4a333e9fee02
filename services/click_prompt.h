// "Для продолжения нажмите любую кнопку мыши": the prompt over the wait for a click (wait_for_click.h)
// that ends the vision check's screens, the training run's result screen and the results chart.
#pragma once

#include "common/cp1251.h"

namespace zorikan {

inline constexpr auto kClickPromptText = cp1251<"Для продолжения нажмите любую кнопку мыши">();

// The prompt of the vision check and the training run: at pixel (60, 550) in kScreenTextFont
// (screen_fonts.h), blue. The results chart draws the same words in a place and font of its own. Program
// thread.
void show_click_prompt();

}  // namespace zorikan
