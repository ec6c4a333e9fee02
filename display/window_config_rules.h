// How a requested window configuration is checked, completed and adjusted before it is applied.
#pragma once

#include "display/display.h"

namespace zorikan::display {

struct ScreenFacts {
  int screen_width = 1280;
  int screen_height = 1024;
  int bits_per_pixel = 32;  // of the drawing surfaces
  int minimum_width = 120;  // the smallest child window the frame offers
  int minimum_height = 40;
  int default_cell_width = 8;
  int default_cell_height = 16;
};

enum class ConfigOutcome {
  kInvalid,   // a field was out of range: offending fields set to -1, nothing else touched
  kAdjusted,  // completed but something had to change: the record holds the corrected values
  kApply,     // completed as asked: apply it
};

struct CompletedConfig {
  int pixel_width = 0;
  int pixel_height = 0;
  int text_columns = 0;
  int text_rows = 0;
  int color_count = 0;
  int cell_width = 0;
  int cell_height = 0;
};

// The fields a configuration record only returns: bits per pixel and the fixed compatibility values.
void fill_returned_fields(WindowConfig& config, int bits_per_pixel);

// Checks and completes `config` in place (filling bits_per_pixel and the fixed fields unless invalid);
// `completed` receives the values to apply.
ConfigOutcome complete_window_config(WindowConfig& config, const ScreenFacts& facts,
                                     CompletedConfig& completed);

}  // namespace zorikan::display
