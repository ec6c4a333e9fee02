// The start screen's picture in the image buffer; see start_picture.h.
//
// Built from row patterns: only two grating rows are composed pixel by pixel, every other row is one
// memcpy, and each tile row is two runs of one colour. A whole 980 x 650 picture thus costs about one
// copy of the buffer, where a pixel-by-pixel loop costs ten times as much.
#include "session/start_picture.h"

#include <algorithm>
#include <cstring>

namespace zorikan {
namespace {

constexpr int32_t kBytesPerPixel = 4;
constexpr int32_t kWhiteRunPixels = 64;

// 64 white pixels (blue, green, red 255, reserved 0) to copy white runs from.
constexpr std::array<uint8_t, kWhiteRunPixels* kBytesPerPixel> kWhiteRun = [] {
  std::array<uint8_t, kWhiteRunPixels * kBytesPerPixel> run{};
  for (size_t i = 0; i < run.size(); ++i) run[i] = (i % 4 == 3) ? 0 : 255;
  return run;
}();

uint8_t* row_start(std::span<uint8_t> image, int32_t width, int32_t height, int32_t y) {
  return image.data() + kImageHeaderBytes + static_cast<size_t>(height - 1 - y) * width * kBytesPerPixel;
}

// Tile rows are runs of 1 to 9 pixels: they are stored pixel by pixel (a 4-byte store each), which
// costs a fraction of a call to memcpy or memset; grating stripes and longer runs are copied.
void fill_run(uint8_t* pixels, int32_t count, bool white) {
  constexpr uint32_t kWhiteWord = 0x00FFFFFF;  // blue, green, red 255, reserved 0 in memory order
  constexpr uint32_t kBlackWord = 0;
  if (count <= 16) {
    const uint32_t word = white ? kWhiteWord : kBlackWord;
    for (int32_t i = 0; i < count; ++i) std::memcpy(pixels + i * kBytesPerPixel, &word, kBytesPerPixel);
    return;
  }
  if (!white) {
    std::memset(pixels, 0, static_cast<size_t>(count) * kBytesPerPixel);
    return;
  }
  while (count > 0) {
    const int32_t chunk = std::min(count, kWhiteRunPixels);
    std::memcpy(pixels, kWhiteRun.data(), static_cast<size_t>(chunk) * kBytesPerPixel);
    pixels += chunk * kBytesPerPixel;
    count -= chunk;
  }
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
                 std::span<const GlyphPoint> points) {
  if (!fits(image, width, height) || size < 1) return;
  for (const GlyphPoint& point : points) {
    // Columns of the tile's two cells, x = left + 1 ... left + L and left + L + 1 ... left + 2L, clipped.
    const int64_t left = static_cast<int64_t>(point.column) + offset;
    const int64_t first_begin = std::max<int64_t>(left + 1, 0);
    const int64_t first_end = std::min<int64_t>(left + size + 1, width);
    const int64_t second_begin = std::max<int64_t>(left + size + 1, 0);
    const int64_t second_end = std::min<int64_t>(left + 2 * size + 1, width);
    for (int32_t a = 1; a <= 2 * size; ++a) {
      const int64_t y = static_cast<int64_t>(point.row) + a;
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

}  // namespace zorikan
