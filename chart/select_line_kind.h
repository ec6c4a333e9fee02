// Line kinds of the plotting kit: 1 solid (0xFFFF), 2 0xFF00, 3 0xF0F0 (the grid's dots), 4 0xCCCC;
// any other kind is solid.
#pragma once

#include <cstdint>

namespace zorikan {

inline constexpr int32_t kSolidLine = 1;
inline constexpr int32_t kGridLine = 3;

// The Display layer's line pattern of a kind.
int32_t line_pattern_of_kind(int32_t kind);

// Sets the pattern to solid, then to the pattern of the kind.
void select_line_kind(int32_t kind);

}  // namespace zorikan
