// The shared mouse and mode words; see shared_words.h.
#include "services/shared_words.h"

namespace zorikan {

std::atomic<int32_t> mode_request{0};
std::atomic<int32_t> click_flag{0};
std::atomic<int32_t> button_code{0};
std::atomic<int32_t> buttons_held{0};

int32_t pending_answer() {
  if (click_flag != kButtonClick) return 0;
  return button_code;
}

}  // namespace zorikan
