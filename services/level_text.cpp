// A ladder level as text; see level_text.h.
#include "services/level_text.h"

#include <array>
#include <cstdio>

namespace zorikan {

std::string level_text(float level) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.2f", level);
  std::string shown = text.data();
  if (shown.back() == '0') shown.pop_back();
  return shown;
}

}  // namespace zorikan
