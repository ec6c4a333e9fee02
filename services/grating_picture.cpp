// The start screen's picture in the image buffer; see start_picture.h.
//
// Built from row patterns: only two grating rows are composed stripe by stripe, every other row is a
// memcpy of the row two above it, and each tile row is two runs of one colour. A whole 980 x 650
// picture thus costs little more than one copy of the buffer (bench/start_screen_bench.cpp), where a
// pixel-by-pixel loop over the definition costs about ten times as much.
#include "services/grating_picture.h"

#include <algorithm>
#include <cstring>

#include "display/display.h"

namespace zorikan {
namespace {

constexpr int32_t kBytesPerPixel = 4;
// Pixels as little-endian words: blue, green, red 255 and reserved 0 in memory order.
constexpr uint32_t kWhiteWord = 0x00FFFFFF;
constexpr uint32_t kBlackWord = 0;

uint8_t* row_start(std::span<uint8_t> image, int32_t width, int32_t height, int32_t y) {
  return image.data() + kImageHeaderBytes + static_cast<size_t>(height - 1 - y) * width * kBytesPerPixel;
}

// Runs are a stripe or half a tile row, 1 to 9 pixels: a 4-byte store per pixel costs a fraction of
// a call to memcpy or memset for so few bytes.
void fill_run(uint8_t* pixels, int32_t count, bool white) {
  const uint32_t word = white ? kWhiteWord : kBlackWord;
  for (int32_t i = 0; i < count; ++i) std::memcpy(pixels + i * kBytesPerPixel, &word, kBytesPerPixel);
}

// Whether the image holds `width` x `height` pixels after its header.
bool fits(std::span<uint8_t> image, int32_t width, int32_t height) {
  return width > 0 && height > 0 &&
         image.size() >= kImageHeaderBytes + static_cast<size_t>(width) * height * kBytesPerPixel;
}

}  // namespace

std::array<uint8_t, kStartImageBufferBytes> start_image_buffer;

void write_grating_row(std::span<uint8_t> image, int32_t width, int32_t height, int32_t size, int32_t y) {
  if (!fits(image, width, height) || size < 1 || y < 0 || y >= height) return;
  uint8_t* row = row_start(image, width, height, y);
  const size_t row_bytes = static_cast<size_t>(width) * kBytesPerPixel;
  if (y >= 2) {
    std::memcpy(row, row_start(image, width, height, y - 2), row_bytes);
    return;
  }
  std::memset(row, 0, row_bytes);
  // When size divides the width, the last stripe's last pixel (x = width) lies outside the window.
  const int32_t stripes = width / size;
  for (int32_t i = 1; i <= stripes; ++i) {
    const int32_t first = (i - 1) * size + 1;
    if ((i + y) % 2 == 1) {
      fill_run(row + static_cast<size_t>(first) * kBytesPerPixel, std::min(size, width - first), true);
    }
  }
}

void write_glyph(std::span<uint8_t> image, int32_t width, int32_t height, int32_t size, int32_t offset,
                 std::span<const GlyphPoint> points, int32_t top) {
  if (!fits(image, width, height) || size < 1) return;
  for (const GlyphPoint& point : points) {
    // Columns of the tile's two cells, x = left + 1 ... left + L and left + L + 1 ... left + 2L, clipped.
    const int64_t left = static_cast<int64_t>(point.column) + offset;
    const int64_t first_begin = std::max<int64_t>(left + 1, 0);
    const int64_t first_end = std::min<int64_t>(left + size + 1, width);
    const int64_t second_begin = std::max<int64_t>(left + size + 1, 0);
    const int64_t second_end = std::min<int64_t>(left + 2 * size + 1, width);
    for (int32_t a = 1; a <= 2 * size; ++a) {
      const int64_t y = static_cast<int64_t>(point.row) + a - top;
      if (y < 0 || y >= height) continue;
      uint8_t* row = row_start(image, width, height, static_cast<int32_t>(y));
      const bool upper = a <= size;  // the upper cells: white left, black right; the lower ones the other way
      if (first_begin < first_end) {
        fill_run(row + first_begin * kBytesPerPixel, static_cast<int32_t>(first_end - first_begin), upper);
      }
      if (second_begin < second_end) {
        fill_run(row + second_begin * kBytesPerPixel, static_cast<int32_t>(second_end - second_begin),
                 !upper);
      }
    }
  }
}

bool uses_image_path(int16_t nx, int16_t ny) {
  return image_size(0, 0, static_cast<int16_t>(nx - 1), static_cast<int16_t>(ny - 1)) == kStartImageBytes &&
         static_cast<int32_t>(nx) * ny * kBytesPerPixel + kImageHeaderBytes == kStartImageBytes;
}

}  // namespace zorikan
