// The program's one graphics window: the unit number by which it is opened and addressed, and the pixel
// size the program asks for it. The size the system granted is in window_size.h.
#pragma once

#include <cstdint>

namespace zorikan {

inline constexpr int32_t kGraphicsUnit = 1;
inline constexpr int16_t kGraphicsWidth = 980;   // pixels across
inline constexpr int16_t kGraphicsHeight = 650;  // pixels down

}  // namespace zorikan
