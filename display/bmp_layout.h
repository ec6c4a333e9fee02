// The BMP layout of whole-window images in memory, as get_image writes and put_image reads them.
//
// A 14-byte file header, a 40-byte information header, a colour table for depths up to 8 bits, then
// the pixel rows, bottom row first, each padded to a multiple of 4 bytes. Field by field, see
// write_bmp_headers in bmp_layout.cpp, the one place that writes them; read_bmp_headers reads the same
// offsets back.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zorikan::display {

inline constexpr int kBmpFileHeaderSize = 14;
inline constexpr int kBmpInfoHeaderSize = 40;
// Larger sides than the 2-byte coordinate range spans are refused.
inline constexpr int64_t kBmpMaxSide = 65536;

struct BmpLayout {
  int32_t width = 0;   // pixels
  int32_t height = 0;  // pixels; rows are stored bottom row first
  int bits_per_pixel = 0;
  int color_table_entries = 0;  // 2, 16 or 256 for 1, 4 and 8 bits per pixel, else 0
  int64_t row_bytes = 0;        // one stored row including its padding
  int64_t pixel_offset = 0;     // of the first stored row, from the start of the image
  int64_t pixel_bytes = 0;      // row_bytes x height
  int64_t total_size = 0;       // pixel_offset + pixel_bytes
};

// The layout of a width x height image at a depth of 1, 4, 8, 16, 24 or 32 bits per pixel; null for
// any other depth or a side outside 1..kBmpMaxSide.
std::optional<BmpLayout> bmp_layout(int64_t width, int64_t height, int bits_per_pixel);

// Writes the file header, the information header and the colour table into the first
// layout.pixel_offset bytes of `out`, which must be at least that long.
void write_bmp_headers(const BmpLayout& layout, std::span<uint8_t> out);

// The layout that an image's headers describe, checked against the image's length: any depth of the
// table, uncompressed, positive sides, pixel rows wholly inside `image`. `error` names the field and
// what is wrong when the headers are unusable; `layout` is then empty.
struct BmpHeaders {
  std::optional<BmpLayout> layout;
  std::string error;
};
BmpHeaders read_bmp_headers(std::span<const uint8_t> image);

}  // namespace zorikan::display
