// Logical values as the program passes them around: true is -1, false is 0, and a logical result
// (the program's own, the Display layer's or the Dialog toolkit's, some of which return 1 for
// success) is tested on its lowest bit only.
#pragma once

#include <cstdint>

namespace zorikan {

inline constexpr int32_t kTrue = -1;
inline constexpr int32_t kFalse = 0;

constexpr bool is_true(int32_t logical) {
  return (logical & 1) != 0;
}
constexpr int32_t to_logical(bool value) {
  return value ? kTrue : kFalse;
}

}  // namespace zorikan
