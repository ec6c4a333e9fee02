// The diagonal from the card ruler; see card_ruler.h.
#include "session/card_ruler.h"

#include <cmath>

namespace zorikan {
namespace {

constexpr double kMillimetresPerInch = 25.4;

double diagonal_pixels(int32_t nx, int32_t ny) {
  return std::hypot(static_cast<double>(nx), static_cast<double>(ny));
}

}  // namespace

double diagonal_from_card_bar(int32_t bar_pixels, int32_t nx, int32_t ny) {
  if (bar_pixels <= 0 || nx <= 0 || ny <= 0) return 0;
  return kCardLongEdgeMm / bar_pixels * diagonal_pixels(nx, ny) / kMillimetresPerInch;
}

int32_t card_bar_pixels(double diagonal_inch, int32_t nx, int32_t ny) {
  if (!std::isfinite(diagonal_inch) || diagonal_inch <= 0 || nx <= 0 || ny <= 0) return 0;
  const double pixels = kCardLongEdgeMm / (diagonal_inch * kMillimetresPerInch / diagonal_pixels(nx, ny));
  return pixels < 1e9 ? static_cast<int32_t>(std::lround(pixels)) : 0;
}

}  // namespace zorikan
