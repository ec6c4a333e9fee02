// The window registration table: per graphics window unit, its text coordinate extent and its pixel
// size, from which the plotting kit converts text coordinates (240 x 180 units, origin bottom-left,
// y upwards) to pixels.
#pragma once

#include <array>
#include <cstdint>

namespace zorikan {

inline constexpr int32_t kMaxRegisteredUnit = 100;
inline constexpr float kTextExtentAcross = 240.0f;
inline constexpr float kTextExtentUp = 180.0f;

struct WindowRegistration {
  float text_width = 0;    // text units across
  float text_height = 0;   // text units up
  float pixel_width = 0;   // pixels across
  float pixel_height = 0;  // pixels down
};

// Indexed by unit number 1..100 (entry 0 unused). Global; program thread only.
extern std::array<WindowRegistration, kMaxRegisteredUnit + 1> window_registration;

// Registers `unit` with a text extent of 240 x 180 units and the given pixel size; a unit outside 1..100
// is ignored.
void register_window(int32_t unit, int32_t pixel_width, int32_t pixel_height);

}  // namespace zorikan
