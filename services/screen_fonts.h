// The fonts of the activities' screens (the vision check's, the training run's result screen): face
// "Times New Roman Cyr", italic and bold, the cell's height and width in pixels.
#pragma once

#include <string_view>

namespace zorikan {

// Lines of text, and the click prompt under them.
inline constexpr std::string_view kScreenTextFont = "t'Times New Roman Cyr'h38w17ib";
// The large numbers: the acuity found, the mean answer time, the push-ups owed.
inline constexpr std::string_view kScreenNumberFont = "t'Times New Roman Cyr'h120w40ib";

}  // namespace zorikan
