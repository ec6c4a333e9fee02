// The wait that ends a screen of the vision check: any button, or both, ends it.
#pragma once

namespace zorikan {

// Clears click_flag, waits until a button is pressed, clears click_flag again. button_code stays as the
// press left it, for the main loop; mode_request is not looked at. Program thread.
void wait_for_click();

}  // namespace zorikan
