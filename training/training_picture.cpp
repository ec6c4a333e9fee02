// One picture of the training run; see training_picture.h. Program thread.
#include "training/training_picture.h"

#include "display/display.h"
#include "services/colors.h"
#include "services/shared_words.h"

namespace zorikan {
namespace {

constexpr int32_t kGreyPauseMs = 1000;

bool going_on() {
  return button_code != kBothButtons;
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

// What lies outside the stripes keeps what the window showed there.
bool draw_in_window(int32_t size, int32_t offset, std::span<const GlyphPoint> points, int16_t nx,
                    int16_t ny) {
  WindowRuns window;
  const PictureArea area{nx, kPictureTop, ny};
  return paint_grating(window, area, size, [](int32_t) { return going_on(); }) &&
         paint_glyph(window, area, size, offset, points, going_on);
}

}  // namespace

std::array<uint8_t, kStartImageBytes> training_image_buffer;

void take_training_image_header(int16_t nx, int16_t ny) {
  get_image(0, 0, static_cast<int16_t>(nx - 1), static_cast<int16_t>(ny - 1 - kPictureTop),
            training_image_buffer);
}

bool compose_training_picture(std::span<uint8_t> image, int32_t width, int32_t height, int32_t size,
                              int32_t offset, std::span<const GlyphPoint> points) {
  // Every pixel row is written whole, the pixels of no cell black, so nothing is cleared first.
  const ImageRows rows = image_rows(image, width, height - kPictureTop, kPictureTop);
  return paint_grating(rows, rows.area(), size, [](int32_t) { return going_on(); }) &&
         paint_glyph(rows, rows.area(), size, offset, points, going_on);
}

bool show_training_picture(bool image_path, int32_t size, int32_t offset, std::span<const GlyphPoint> points,
                           int16_t nx, int16_t ny) {
  if (image_path) return show_from_buffer(size, offset, points, nx, ny);
  return draw_in_window(size, offset, points, nx, ny);
}

}  // namespace zorikan
