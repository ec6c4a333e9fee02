// The window registration table; see window_registration.h.
#include "services/window_registration.h"

#include <cstddef>

namespace zorikan {

std::array<WindowRegistration, kMaxRegisteredUnit + 1> window_registration = {};

void register_window(int32_t unit, int32_t pixel_width, int32_t pixel_height) {
  if (unit < 1 || unit > kMaxRegisteredUnit) return;
  window_registration[static_cast<size_t>(unit)] = {
      kTextExtentAcross, kTextExtentUp, static_cast<float>(pixel_width), static_cast<float>(pixel_height)};
}

}  // namespace zorikan
