// The program's colours, each named once. The Display layer takes a colour as one 32-bit value with red
// in the low byte, green in the next and blue in the third (0x00BBGGRR); rgb() builds that value, so no
// other file spells the byte order.
#pragma once

#include <cstdint>

namespace zorikan {

constexpr int32_t rgb(int32_t red, int32_t green, int32_t blue) {
  return blue << 16 | green << 8 | red;
}

inline constexpr int32_t kWhite = rgb(255, 255, 255);
inline constexpr int32_t kBlack = rgb(0, 0, 0);
inline constexpr int32_t kGrey = rgb(128, 128, 128);
inline constexpr int32_t kRed = rgb(255, 0, 0);
inline constexpr int32_t kDarkRed = rgb(192, 0, 0);  // the parameter dialog's warning
inline constexpr int32_t kLime = rgb(0, 255, 0);
inline constexpr int32_t kGreen = rgb(0, 170, 0);
inline constexpr int32_t kDarkGreen = rgb(0, 119, 0);
inline constexpr int32_t kOlive = rgb(153, 153, 0);
inline constexpr int32_t kBlue = rgb(0, 0, 255);
inline constexpr int32_t kCyan = rgb(0, 255, 255);
inline constexpr int32_t kAzure = rgb(0, 170, 221);  // the chart's prompt

}  // namespace zorikan
