// The diagonal from the card ruler; see card_ruler.h.
#include "session/card_ruler.h"

#include <cmath>

#include "services/ring_scale.h"

namespace zorikan {

double diagonal_from_card_bar(int32_t bar_pixels, int32_t nx, int32_t ny) {
  if (bar_pixels <= 0 || nx <= 0 || ny <= 0) return 0;
  // The diagonal whose pitch is the card's length over the bar's pixels.
  return kCardLongEdgeMm / bar_pixels / pixel_pitch_mm(1, nx, ny);
}

int32_t card_bar_pixels(double diagonal_inch, int32_t nx, int32_t ny) {
  if (!std::isfinite(diagonal_inch) || diagonal_inch <= 0 || nx <= 0 || ny <= 0) return 0;
  const double pixels = kCardLongEdgeMm / pixel_pitch_mm(diagonal_inch, nx, ny);
  return pixels < 1e9 ? static_cast<int32_t>(std::lround(pixels)) : 0;
}

}  // namespace zorikan
