// The default palette and the colour-value rules shared by the drawing and text colour setters.
#include "display/colors.h"

#include "display/display.h"

namespace zorikan::display {

// index: R, G, B; written as 0x00BBGGRR.
const std::array<uint32_t, kPaletteSize> kDefaultPalette = {
    0x000000,  // 0: 0, 0, 0
    0x800000,  // 1: 0, 0, 128
    0x008000,  // 2: 0, 128, 0
    0x808000,  // 3: 0, 128, 128
    0x000080,  // 4: 128, 0, 0
    0x800080,  // 5: 128, 0, 128
    0x008080,  // 6: 128, 128, 0
    0xC0C0C0,  // 7: 192, 192, 192
    0x808080,  // 8: 128, 128, 128
    0xFF0000,  // 9: 0, 0, 255
    0x00FF00,  // 10: 0, 255, 0
    0xFFFF00,  // 11: 0, 255, 255
    0x0000FF,  // 12: 255, 0, 0
    0xFF00FF,  // 13: 255, 0, 255
    0x00FFFF,  // 14: 255, 255, 0
    0xFFFFFF,  // 15: 255, 255, 255
};

uint32_t color_to_rgb(uint32_t value) {
  if (value & kRgbFlag) return value & 0x00FFFFFFu;
  return kDefaultPalette[value % kPaletteSize];
}

uint32_t store_rgb_color(uint32_t& stored, uint32_t rgb) {
  const uint32_t previous = color_to_rgb(stored);
  stored = rgb | kRgbFlag;
  return previous;
}

}  // namespace zorikan::display
