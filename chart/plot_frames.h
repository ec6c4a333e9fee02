// The plot frame table: per graphics window unit, rectangular plot frames, each with a pixel box, a
// world-coordinate box and its place in the window's text coordinates (240 x 180 units, origin at the
// bottom left, y upwards); and the two operations that set them.
#pragma once

#include <array>
#include <cstdint>

namespace zorikan {

inline constexpr int32_t kMaxPlotUnit = 100;
inline constexpr int32_t kMaxPlotFrame = 20;

// All 4-byte reals, as the frame's arithmetic is done in them.
struct PlotFrame {
  float pixel_left = 0;    // screen column of the left edge
  float pixel_bottom = 0;  // screen row of the bottom edge (rows grow downwards)
  float pixel_width = 0;   // pixels across
  float pixel_height = 0;  // pixels high
  float world_x_min = 0;
  float world_y_min = 0;
  float world_x_max = 0;
  float world_y_max = 0;
  float text_left = 0;
  float text_bottom = 0;
  float text_right = 0;
  float text_top = 0;
};

// Indexed [unit][frame], units 1..100 and frames 1..20 (index 0 unused). Program thread only.
extern std::array<std::array<PlotFrame, kMaxPlotFrame + 1>, kMaxPlotUnit + 1> plot_frames;

// The frame of a unit; a unit or frame number out of range gives a scratch frame that nothing shows,
// so a wrong number never writes outside the table.
PlotFrame& plot_frame(int32_t w, int32_t f);

// Sets the pixel box and the text box of frame f of window w from a rectangle in text units (x, y its
// bottom-left corner), and draws its border in the current colour and line pattern. Uses the window's
// registration (open_graphics_window). A unit or frame number out of range does nothing.
void define_frame(int32_t w, int32_t f, float x, float y, float width, float height);

// Sets the world box of frame f; note the order x-min, x-max, y-min, y-max.
void set_frame_world(int32_t w, int32_t f, float x_min, float x_max, float y_min, float y_max);

}  // namespace zorikan
