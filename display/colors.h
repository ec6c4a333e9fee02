// Colour values of the program and their conversion to surface pixels.
//
// A colour value is 32 bits. Bit 31 set: the low 24 bits are RGB 0x00BBGGRR (red in the low byte).
// Bit 31 clear: the low bits index the 16-entry default palette. A surface pixel is Qt's QRgb
// 0xAARRGGBB; on an RGB32 surface the alpha byte is always 0xFF.
#pragma once

#include <array>
#include <cstdint>

namespace zorikan::display {

inline constexpr int kPaletteSize = 16;

// Entries as RGB 0x00BBGGRR.
extern const std::array<uint32_t, kPaletteSize> kDefaultPalette;

// The RGB 0x00BBGGRR of a colour value. Palette indices beyond 15 wrap to their low four bits.
uint32_t color_to_rgb(uint32_t value);

// Stores `rgb` as an RGB colour value (bit 31 set) in `stored` and returns the colour that `stored`
// held before, as RGB 0x00BBGGRR. Every operation that sets a colour as RGB goes through this.
uint32_t store_rgb_color(uint32_t& stored, uint32_t rgb);

// RGB 0x00BBGGRR to an opaque QRgb 0xFFRRGGBB.
inline constexpr uint32_t to_qrgb(uint32_t rgb) {
  return 0xFF000000u | (rgb & 0xFFu) << 16 | (rgb & 0xFF00u) | (rgb >> 16 & 0xFFu);
}

// QRgb 0xAARRGGBB to RGB 0x00BBGGRR; the alpha byte is dropped.
inline constexpr uint32_t rgb_from_qrgb(uint32_t qrgb) {
  return (qrgb >> 16 & 0xFFu) | (qrgb & 0xFF00u) | (qrgb & 0xFFu) << 16;
}

}  // namespace zorikan::display
