// The diagonal measured with a bank card: the ruler's bar stretched to the card's long edge gives the
// pixel pitch, and the pitch with the resolution gives the diagonal.
#pragma once

#include <cstdint>

namespace zorikan {

// The long edge of an ID-1 card, the size of every bank and identity card.
inline constexpr double kCardLongEdgeMm = 85.60;

// The diagonal in inches of an nx x ny display on which the card's long edge is `bar_pixels` long:
// 85.6 / bar_pixels millimetres a pixel, times sqrt(nx^2 + ny^2) pixels, in inches. 0 when any of them
// is not positive.
double diagonal_from_card_bar(int32_t bar_pixels, int32_t nx, int32_t ny);

// The card's long edge in whole pixels on an nx x ny display of this diagonal; 0 when the display
// cannot size it (a diagonal that is not a positive finite number, a resolution that is not positive).
int32_t card_bar_pixels(double diagonal_inch, int32_t nx, int32_t ny);

}  // namespace zorikan
