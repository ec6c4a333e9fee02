// The wait under "Для продолжения нажмите любую кнопку мыши" that ends the vision check's screens, the
// training run's result screen and the results chart: any press of any button, or of both, ends it.
#pragma once

namespace zorikan {

// Clears click_flag, waits until a button is pressed (click_flag 1 or 2), clears click_flag again.
// button_code stays as the press left it, for the main loop; mode_request is not looked at. Program
// thread.
void wait_for_click();

}  // namespace zorikan
