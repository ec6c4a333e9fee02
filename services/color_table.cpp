// The colour table and select_color; see color_table.h.
#include "services/color_table.h"

#include "display/display.h"

namespace zorikan {

ColorTable color_table;

void fill_default_colors() {
  color_table.entries = {{
      {1.0f, 1.0f, 1.0f},
      {1.0f, 0.0f, 0.5f},
      {0.9f, 0.7f, 0.0f},
      {0.0f, 0.7f, 0.0f},
      {0.0f, 0.0f, 1.0f},
      {1.0f, 0.0f, 1.0f},
      {0.0f, 0.8f, 0.9f},
      {0.0f, 0.0f, 0.0f},
      {0.35f, 0.35f, 0.35f},
      {1.0f, 0.0f, 0.0f},
      {0.5f, 0.5f, 0.0f},
      {0.0f, 0.5f, 0.0f},
      {0.0f, 0.5f, 0.5f},
      {0.0f, 0.0f, 1.0f},
      {1.0f, 0.0f, 1.0f},
      {1.0f, 1.0f, 1.0f},
  }};
}

void select_color(int32_t index) {
  if (index < 0 || index >= kColorTableSize) return;
  const ColorEntry& entry = color_table.entries[static_cast<size_t>(index)];
  // Single-precision products truncated towards zero: 0.9 gives 229, 0.35 gives 89, 0.5 gives 127.
  const auto byte = [](float component) { return static_cast<int32_t>(component * 255.0f); };
  const int32_t rgb = byte(entry.red) + 256 * byte(entry.green) + 65536 * byte(entry.blue);  // 0xBBGGRR
  set_draw_color_rgb(rgb);
  set_text_color_rgb(rgb);
  color_table.current_index = index;
}

}  // namespace zorikan
