// One picture of the training run; see training_picture.h. Program thread.
#include "training/training_picture.h"

#include "display/display.h"
#include "services/shared_words.h"

namespace zorikan {
namespace {

constexpr int32_t kGrey = 0x808080;
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kBlack = 0x000000;
constexpr int16_t kFilled = 3;
constexpr int32_t kPlainCopy = 3;
constexpr int32_t kGreyPauseMs = 1000;

// The grating's phase follows the window row; the image starts at row 20, an even row, so its rows
// have the phase of the start screen's rows of the same index.
static_assert(kPictureTop % 2 == 0);

bool abandoned() {
  return button_code == kBothButtons;
}

bool show_from_buffer(int32_t size, int32_t offset, std::span<const GlyphPoint> points, int16_t nx,
                      int16_t ny) {
  set_draw_color_rgb(kGrey);
  draw_rectangle(kFilled, 0, kPictureTop + 1, static_cast<int16_t>(nx - 1), static_cast<int16_t>(ny - 1));
  sleep_ms(kGreyPauseMs);
  if (!compose_training_picture(training_image_buffer, nx, ny, size, offset, points)) return false;
  put_image(0, kPictureTop, training_image_buffer, kPlainCopy);
  return true;
}

bool draw_grating(int32_t size, int16_t nx, int16_t ny) {
  const int32_t cells = nx / size;
  GraphicsPosition previous;
  for (int32_t y = kPictureTop; y < ny; ++y) {
    const auto row = static_cast<int16_t>(y);
    for (int32_t c = 1; c <= cells; ++c) {
      set_draw_color_rgb((c + y) % 2 == 1 ? kWhite : kBlack);
      move_to(static_cast<int16_t>((c - 1) * size + 1), row, previous);
      line_to(static_cast<int16_t>(c * size), row);
      move_to(static_cast<int16_t>(c * size), row, previous);
    }
    if (abandoned()) return false;
  }
  return true;
}

bool draw_glyph(int32_t size, int32_t offset, std::span<const GlyphPoint> points, int16_t nx, int16_t ny) {
  for (const GlyphPoint& point : points) {
    for (int32_t b = 1; b <= 2 * size; ++b) {
      const int64_t y = static_cast<int64_t>(point.row) + b;
      if (y < kPictureTop || y >= ny) continue;
      for (int32_t a = 1; a <= 2 * size; ++a) {
        const int64_t x = static_cast<int64_t>(point.column) + offset + a;
        if (x < 0 || x >= nx) continue;
        const bool white = (a <= size) == (b <= size);
        set_pixel_rgb(static_cast<int16_t>(x), static_cast<int16_t>(y), white ? kWhite : kBlack);
      }
    }
    if (abandoned()) return false;
  }
  return true;
}

}  // namespace

std::array<uint8_t, kStartImageBytes> training_image_buffer;

bool compose_training_picture(std::span<uint8_t> image, int32_t width, int32_t height, int32_t size,
                              int32_t offset, std::span<const GlyphPoint> points) {
  // Every pixel row is written whole, the pixels of no cell black, so nothing is cleared first.
  const int32_t rows = height - kPictureTop;
  for (int32_t y = 0; y < rows; ++y) {
    write_grating_row(image, width, rows, size, y);
    if (abandoned()) return false;
  }
  for (const GlyphPoint& point : points) {
    write_glyph(image, width, rows, size, offset, std::span(&point, 1), kPictureTop);
    if (abandoned()) return false;
  }
  return true;
}

bool show_training_picture(bool image_path, int32_t size, int32_t offset, std::span<const GlyphPoint> points,
                           int16_t nx, int16_t ny) {
  if (image_path) return show_from_buffer(size, offset, points, nx, ny);
  return draw_grating(size, nx, ny) && draw_glyph(size, offset, points, nx, ny);
}

}  // namespace zorikan
