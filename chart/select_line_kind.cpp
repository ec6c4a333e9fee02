// select_line_kind; see select_line_kind.h.
#include "chart/select_line_kind.h"

#include "display/display.h"

namespace zorikan {

int32_t line_pattern_of_kind(int32_t kind) {
  switch (kind) {
    case 2:
      return 0xFF00;
    case 3:
      return 0xF0F0;
    case 4:
      return 0xCCCC;
    default:
      return 0xFFFF;
  }
}

void select_line_kind(int32_t kind) {
  set_line_pattern(0xFFFF);
  set_line_pattern(line_pattern_of_kind(kind));
}

}  // namespace zorikan
