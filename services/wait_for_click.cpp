// The click wait; see wait_for_click.h.
#include "services/wait_for_click.h"

#include "display/display.h"
#include "services/shared_words.h"

namespace zorikan {

void wait_for_click() {
  click_flag = 0;
  while (click_flag == 0) wait_for_input(kNoDeadline);
  click_flag = 0;
}

}  // namespace zorikan
