// The result screen of a completed training run: the counts with their word forms, the mean answer
// time and the push-ups owed, on white; and the final prompt under it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "training/training_counts.h"

namespace zorikan {

// One text of the screen, drawn with its top-left corner at (x, y).
struct ScreenText {
  std::string_view font;  // font descriptor
  int32_t color = 0;      // RGB 0xBBGGRR
  int16_t x = 0;
  int16_t y = 0;
  std::array<char, 80> text = {};  // Windows-1251; the first `length` characters are drawn
  int32_t length = 0;

  std::string_view shown() const { return {text.data(), static_cast<size_t>(length)}; }
};

struct ResultScreen {
  std::array<ScreenText, 9> texts = {};
  int32_t count = 0;
};

// What the mean answer time's F7.2 place shows when the run answered no image.
inline constexpr std::string_view kNoMeanShown = "  --.--";

// Static for the life of the program; the program thread's only. The last screen composed.
extern ResultScreen result_screen;

// Composes the screen of a run of `volume` images from its counts, in drawing order.
void compose_result_screen(int32_t volume, const TrainingCounts& counts);

// Fills the window of nx x ny pixels white and draws the composed texts.
void draw_result_screen(int16_t nx, int16_t ny);

// Draws "Для продолжения нажмите любую кнопку мыши" and waits, with no time limit, for a mouse
// button; click_flag is 0 again afterwards.
void await_final_click();

}  // namespace zorikan
