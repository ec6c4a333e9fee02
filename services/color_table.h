// The colour table: sixteen colours by index, shared by the start-up, the plotting kit and the
// results chart, and select_color, which makes one of them the drawing and text colour.
#pragma once

#include <array>
#include <cstdint>

namespace zorikan {

inline constexpr int32_t kColorTableSize = 16;

struct ColorEntry {
  float red = 0;  // each component 0..1
  float green = 0;
  float blue = 0;
};

struct ColorTable {
  std::array<ColorEntry, kColorTableSize> entries = {};
  int32_t current_index = 0;  // the last index selected; 0 before the first selection
};

// Global; empty until open_graphics_window fills it with the defaults. Program thread only.
extern ColorTable color_table;

// Entries named after the colour each holds by default.
inline constexpr int32_t kWhiteEntry = 0;
inline constexpr int32_t kPinkEntry = 1;
inline constexpr int32_t kAmberEntry = 2;
inline constexpr int32_t kGreenEntry = 3;
inline constexpr int32_t kBlueEntry = 4;
inline constexpr int32_t kMagentaEntry = 5;
inline constexpr int32_t kBlackEntry = 7;
inline constexpr int32_t kRedEntry = 9;

// The sixteen defaults: 0 white, 1 pink, 2 amber, 3 green, 4 blue, 5 magenta, 6 sky blue,
// 7 black, 8 dark grey, 9 red, 10 olive, 11 dark green, 12 teal, 13 blue, 14 magenta, 15 white.
void fill_default_colors();

// Makes entry `index` the Display layer's drawing and text colour, each component taken as
// trunc(component x 255), and remembers the index. An index outside 0..15 changes nothing.
void select_color(int32_t index);

}  // namespace zorikan
