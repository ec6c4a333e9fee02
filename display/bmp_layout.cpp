// Sizes, header writing and header checking of the in-memory BMP layout.
#include "display/bmp_layout.h"

#include <array>

#include "display/colors.h"
#include "display/display.h"

namespace zorikan::display {
namespace {

// Field offsets from the start of the image; integers are little-endian.
constexpr int kSignatureAt = 0;
constexpr int kTotalSizeAt = 2;
constexpr int kReserved1At = 6;
constexpr int kReserved2At = 8;
constexpr int kPixelOffsetAt = 10;
constexpr int kInfoSizeAt = 14;
constexpr int kWidthAt = 18;
constexpr int kHeightAt = 22;
constexpr int kPlanesAt = 26;
constexpr int kBitsPerPixelAt = 28;
constexpr int kCompressionAt = 30;
constexpr int kPixelBytesAt = 34;
constexpr int kXResolutionAt = 38;
constexpr int kYResolutionAt = 42;
constexpr int kColorsUsedAt = 46;
constexpr int kColorsImportantAt = 50;
constexpr int kColorTableAt = kBmpFileHeaderSize + kBmpInfoHeaderSize;
// A 32-bit image has no colour table: its pixels follow the two headers.
static_assert(kColorTableAt == kImageHeaderBytes);

// v with its two low bits cleared.
constexpr int64_t round_down_4(int64_t v) {
  return v & ~int64_t{3};
}

void put16(std::span<uint8_t> out, int at, uint32_t value) {
  out[at] = static_cast<uint8_t>(value);
  out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void put32(std::span<uint8_t> out, int at, uint32_t value) {
  put16(out, at, value & 0xFFFFu);
  put16(out, at + 2, value >> 16);
}

uint32_t get16(std::span<const uint8_t> in, int at) {
  return in[at] | static_cast<uint32_t>(in[at + 1]) << 8;
}

uint32_t get32(std::span<const uint8_t> in, int at) {
  return get16(in, at) | get16(in, at + 2) << 16;
}

// Colour table entry k of the system palette at a depth, as RGB 0x00BBGGRR: black and white for 1 bit;
// the default palette for 4 bits; for 8 bits the default palette, a 6 x 6 x 6 colour cube and 24 greys.
uint32_t system_palette_entry(int bits_per_pixel, int k) {
  if (bits_per_pixel == 1) return k == 0 ? 0x000000u : 0xFFFFFFu;
  if (k < kPaletteSize) return kDefaultPalette[k];
  k -= kPaletteSize;
  if (k < 216) {
    const uint32_t red = k / 36 * 51;
    const uint32_t green = k / 6 % 6 * 51;
    const uint32_t blue = k % 6 * 51;
    return blue << 16 | green << 8 | red;
  }
  const uint32_t grey = 8 + (k - 216) * 10;
  return grey << 16 | grey << 8 | grey;
}

std::string describe(const char* field, int64_t value, const char* expected) {
  return std::string(field) + " is " + std::to_string(value) + ", expected " + expected;
}

}  // namespace

std::optional<BmpLayout> bmp_layout(int64_t width, int64_t height, int bits_per_pixel) {
  if (width < 1 || width > kBmpMaxSide || height < 1 || height > kBmpMaxSide) return std::nullopt;
  BmpLayout layout;
  layout.width = static_cast<int32_t>(width);
  layout.height = static_cast<int32_t>(height);
  layout.bits_per_pixel = bits_per_pixel;
  const int64_t w = width;
  switch (bits_per_pixel) {
    case 1:
      layout.row_bytes = round_down_4((w + 31) / 8);
      layout.color_table_entries = 2;
      break;
    case 4:
      layout.row_bytes = round_down_4((4 * w + 7) / 8 + 3);
      layout.color_table_entries = 16;
      break;
    case 8:
      layout.row_bytes = round_down_4((8 * w + 31) / 8);
      layout.color_table_entries = 256;
      break;
    case 16:
      layout.row_bytes = round_down_4(2 * w + 3);
      break;
    case 24:
      layout.row_bytes = round_down_4(3 * w + 3);
      break;
    case 32:
      layout.row_bytes = 4 * w;
      break;
    default:
      return std::nullopt;
  }
  layout.pixel_offset = kColorTableAt + 4 * layout.color_table_entries;
  layout.pixel_bytes = layout.row_bytes * height;
  layout.total_size = layout.pixel_offset + layout.pixel_bytes;
  return layout;
}

void write_bmp_headers(const BmpLayout& layout, std::span<uint8_t> out) {
  // File header.
  out[kSignatureAt] = 'B';
  out[kSignatureAt + 1] = 'M';
  put32(out, kTotalSizeAt, static_cast<uint32_t>(layout.total_size));  // whole image, bytes
  put16(out, kReserved1At, 0);
  put16(out, kReserved2At, 0);
  put32(out, kPixelOffsetAt, static_cast<uint32_t>(layout.pixel_offset));  // first stored row
  // Information header.
  put32(out, kInfoSizeAt, kBmpInfoHeaderSize);
  put32(out, kWidthAt, static_cast<uint32_t>(layout.width));    // pixels
  put32(out, kHeightAt, static_cast<uint32_t>(layout.height));  // positive: bottom row first
  put16(out, kPlanesAt, 1);
  put16(out, kBitsPerPixelAt, static_cast<uint32_t>(layout.bits_per_pixel));
  put32(out, kCompressionAt, 0);                                         // uncompressed
  put32(out, kPixelBytesAt, static_cast<uint32_t>(layout.pixel_bytes));  // rows with their padding
  put32(out, kXResolutionAt, 0);                                         // pixels per metre: unknown
  put32(out, kYResolutionAt, 0);
  put32(out, kColorsUsedAt, 0);  // 0: the whole table of the depth
  put32(out, kColorsImportantAt, 0);
  // Colour table: blue, green, red, 0 per entry.
  for (int k = 0; k < layout.color_table_entries; ++k) {
    const uint32_t rgb = system_palette_entry(layout.bits_per_pixel, k);
    const int at = kColorTableAt + 4 * k;
    out[at] = static_cast<uint8_t>(rgb >> 16);
    out[at + 1] = static_cast<uint8_t>(rgb >> 8);
    out[at + 2] = static_cast<uint8_t>(rgb);
    out[at + 3] = 0;
  }
}

BmpHeaders read_bmp_headers(std::span<const uint8_t> image) {
  const auto size = static_cast<int64_t>(image.size());
  if (size < kColorTableAt) {
    return {std::nullopt, "image length is " + std::to_string(size) + " bytes, shorter than the " +
                              std::to_string(kColorTableAt) + " bytes of its headers"};
  }
  if (image[kSignatureAt] != 'B' || image[kSignatureAt + 1] != 'M') {
    return {std::nullopt, "file header signature is not \"BM\""};
  }
  const uint32_t info_size = get32(image, kInfoSizeAt);
  if (info_size != kBmpInfoHeaderSize)
    return {std::nullopt, describe("information header size", info_size, "40")};
  const auto width = static_cast<int32_t>(get32(image, kWidthAt));
  if (width < 1 || width > kBmpMaxSide) return {std::nullopt, describe("width", width, "1 to 65536")};
  const auto height = static_cast<int32_t>(get32(image, kHeightAt));
  if (height < 1 || height > kBmpMaxSide) return {std::nullopt, describe("height", height, "1 to 65536")};
  const auto bits_per_pixel = static_cast<int>(get16(image, kBitsPerPixelAt));
  auto layout = bmp_layout(width, height, bits_per_pixel);
  if (!layout) return {std::nullopt, describe("bits per pixel", bits_per_pixel, "1, 4, 8, 16, 24 or 32")};
  const uint32_t compression = get32(image, kCompressionAt);
  if (compression != 0) return {std::nullopt, describe("compression", compression, "0 (uncompressed)")};

  const int64_t pixel_offset = get32(image, kPixelOffsetAt);
  if (pixel_offset < layout->pixel_offset) {
    return {std::nullopt, describe("pixel data offset", pixel_offset,
                                   ("at least " + std::to_string(layout->pixel_offset)).c_str())};
  }
  if (pixel_offset > size || layout->pixel_bytes > size - pixel_offset) {
    return {std::nullopt, "pixel data of " + std::to_string(layout->pixel_bytes) + " bytes at offset " +
                              std::to_string(pixel_offset) + " runs past the end of the " +
                              std::to_string(size) + "-byte image"};
  }
  layout->pixel_offset = pixel_offset;
  layout->total_size = pixel_offset + layout->pixel_bytes;
  return {layout, {}};
}

}  // namespace zorikan::display
