// world_to_pixel; see world_to_pixel.h.
#include "chart/world_to_pixel.h"

#include "chart/plot_frames.h"
#include "common/real_to_integer.h"

namespace zorikan {
namespace {

// Where `value` lies between `low` and `high`, as a fraction; 0 for an empty interval.
float fraction_of(float value, float low, float high) {
  const float span = high - low;
  return span == 0 ? 0.0f : (value - low) / span;
}

}  // namespace

void world_to_pixel(int32_t w, int32_t f, float x, float y, int32_t& ix, int32_t& iy) {
  const PlotFrame& frame = plot_frame(w, f);
  const int32_t x_low = truncate_int(frame.pixel_left);
  const int32_t x_high = truncate_int(static_cast<float>(x_low) + frame.pixel_width);
  const int32_t y_bottom = truncate_int(frame.pixel_bottom);
  const int32_t y_top = truncate_int(static_cast<float>(y_bottom) - frame.pixel_height);

  ix = truncate_int(fraction_of(x, frame.world_x_min, frame.world_x_max) * frame.pixel_width +
                    frame.pixel_left + 0.5f);
  iy = truncate_int(frame.pixel_bottom -
                    fraction_of(y, frame.world_y_min, frame.world_y_max) * frame.pixel_height + 0.5f);

  if (ix < x_low) ix = x_low;
  if (iy < y_top) iy = y_top;
  if (ix > x_high) ix = x_high;
  if (iy > y_bottom) iy = y_bottom;
}

}  // namespace zorikan
