// The grating-with-glyph picture; see grating_picture.h.
//
// On an image the grating costs little more than one copy of the buffer: only two rows are composed
// stripe by stripe, every other row is a memcpy of the row two above it, and each tile row is two runs of
// one colour (bench/start_screen_bench.cpp), where a pixel-by-pixel loop over the definition costs about
// ten times as much.
#include "services/grating_picture.h"

#include "services/colors.h"

namespace zorikan {

bool uses_image_path(int16_t nx, int16_t ny) {
  return image_size(0, 0, static_cast<int16_t>(nx - 1), static_cast<int16_t>(ny - 1)) == kStartImageBytes &&
         static_cast<int32_t>(nx) * ny * ImageRows::kBytesPerPixel + kImageHeaderBytes == kStartImageBytes;
}

ImageRows image_rows(std::span<uint8_t> image, int32_t width, int32_t height, int32_t top) {
  const bool fits =
      width > 0 && height > 0 &&
      image.size() >= kImageHeaderBytes + static_cast<size_t>(width) * height * ImageRows::kBytesPerPixel;
  if (!fits) return {};
  return {image.data() + kImageHeaderBytes, width, height, top};
}

void WindowRuns::stripe(int32_t y, int32_t x, int32_t count, bool white) {
  const auto row = static_cast<int16_t>(y);
  const auto last = static_cast<int16_t>(x + count - 1);
  set_draw_color_rgb(white ? kWhite : kBlack);
  move_to(static_cast<int16_t>(x), row, previous);
  line_to(last, row);
  move_to(last, row, previous);
}

void WindowRuns::tile_run(int32_t y, int32_t x, int32_t count, bool white) const {
  for (int32_t i = 0; i < count; ++i) {
    set_pixel_rgb(static_cast<int16_t>(x + i), static_cast<int16_t>(y), white ? kWhite : kBlack);
  }
}

}  // namespace zorikan
