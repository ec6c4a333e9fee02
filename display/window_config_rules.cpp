// Window configuration: validity, completion of each axis, adjustments.
#include "display/window_config_rules.h"

#include <algorithm>

namespace zorikan::display {
namespace {

bool check_field(int16_t& field) {
  if (field != 0 && field >= -1) return true;
  field = -1;
  return false;
}

struct Axis {
  int pixels;  // -1: not given
  int count;   // -1: not given
  int cell;    // 0: not given
};

// Completes one axis (columns with the width, rows with the height). Returns true when a value the
// caller gave had to change.
bool complete_axis(Axis& axis, int screen_pixels, int default_cell) {
  if (axis.cell == 0) {
    const bool has_pixels = axis.pixels != -1;
    const bool has_count = axis.count != -1;
    axis.cell = default_cell;
    if (!has_pixels && !has_count) {
      axis.pixels = screen_pixels;
      axis.count = axis.pixels / axis.cell;
    } else if (!has_pixels) {
      axis.pixels = axis.cell * axis.count;
    } else if (!has_count) {
      axis.count = axis.pixels / axis.cell;
    } else {
      axis.cell = axis.pixels / axis.count;
    }
    return false;
  }
  if (axis.pixels != -1) {
    const int count = axis.pixels / axis.cell;
    const bool adjusted = axis.count != -1 && axis.count != count;
    axis.count = count;
    return adjusted;
  }
  if (axis.count == -1) axis.count = screen_pixels / axis.cell;
  axis.pixels = axis.count * axis.cell;
  return false;
}

}  // namespace

void fill_returned_fields(WindowConfig& config, int bits_per_pixel) {
  config.bits_per_pixel = static_cast<int16_t>(bits_per_pixel);
  config.video_pages = 0;
  config.mode = -1;
  config.adapter = 0;
  config.monitor = 0;
  config.memory = 0;
  config.environment = 0;
}

ConfigOutcome complete_window_config(WindowConfig& config, const ScreenFacts& facts,
                                     CompletedConfig& completed) {
  bool valid = check_field(config.pixel_width);
  valid = check_field(config.pixel_height) && valid;
  valid = check_field(config.text_columns) && valid;
  valid = check_field(config.text_rows) && valid;
  valid = check_field(config.color_count) && valid;
  if (config.font_size == 0 || config.font_size < -2) {
    config.font_size = -1;
    valid = false;
  }
  if (!valid) return ConfigOutcome::kInvalid;

  bool adjusted = false;
  const int device_colors = facts.bits_per_pixel >= 8 ? 256 : 1 << facts.bits_per_pixel;
  if (config.color_count == -1) {
    config.color_count = static_cast<int16_t>(device_colors);
  } else if (config.color_count > device_colors) {
    config.color_count = static_cast<int16_t>(device_colors);
    adjusted = true;
  }
  if (config.pixel_width != -1 && config.pixel_width < facts.minimum_width) {
    config.pixel_width = static_cast<int16_t>(facts.minimum_width);
    adjusted = true;
  }
  if (config.pixel_height != -1 && config.pixel_height < facts.minimum_height) {
    config.pixel_height = static_cast<int16_t>(facts.minimum_height);
    adjusted = true;
  }

  // A packed cell size is (width << 16) | height; -1 and -2 leave the cell to the defaults.
  const bool cell_given = config.font_size > 0;
  Axis across{config.pixel_width, config.text_columns, cell_given ? (config.font_size >> 16) & 0xFFFF : 0};
  Axis down{config.pixel_height, config.text_rows, cell_given ? config.font_size & 0xFFFF : 0};
  adjusted = complete_axis(across, facts.screen_width, facts.default_cell_width) || adjusted;
  adjusted = complete_axis(down, facts.screen_height, facts.default_cell_height) || adjusted;

  config.pixel_width = static_cast<int16_t>(std::clamp(across.pixels, -32768, 32767));
  config.pixel_height = static_cast<int16_t>(std::clamp(down.pixels, -32768, 32767));
  config.text_columns = static_cast<int16_t>(std::clamp(across.count, -32768, 32767));
  config.text_rows = static_cast<int16_t>(std::clamp(down.count, -32768, 32767));
  fill_returned_fields(config, facts.bits_per_pixel);

  completed = {across.pixels,      down.pixels, across.count, down.count,
               config.color_count, across.cell, down.cell};
  // A text font needs a cell of at least one pixel each way.
  if (across.cell <= 0 || down.cell <= 0 || across.pixels != config.pixel_width ||
      down.pixels != config.pixel_height) {
    return ConfigOutcome::kAdjusted;
  }
  return adjusted ? ConfigOutcome::kAdjusted : ConfigOutcome::kApply;
}

}  // namespace zorikan::display
