// The answer window of one training image: the strips that show it open, the 1000 Hz tone, and the
// wait for a press within 5 seconds, which counts the tone's 200 ms.
#pragma once

#include <cstdint>

namespace zorikan {

enum class AnswerOutcome {
  kAnswered,   // the left or the right button was pressed
  kMissed,     // 5 s passed without a press
  kAbandoned,  // a menu request or both buttons
};

// Opens the answer window of image `image` (1-based) of `volume` in a window `nx` pixels wide and waits.
// A click made before the window opened is discarded. `seconds` and `button` (1 left, 2 right) receive
// the answer time and the button of a press.
AnswerOutcome await_answer(int32_t image, int32_t volume, int16_t nx, float& seconds, int32_t& button);

}  // namespace zorikan
