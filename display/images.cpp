// Whole-window images: their size, their copy out of the surface, and their combination back into it
// by raster operation, in the BMP layout of bmp_layout.h.
//
// The surface is Format_RGB32: each pixel a 32-bit word 0xFFRRGGBB, in memory blue, green, red, 0xFF,
// the byte order of a 32-bit BMP pixel. Copies therefore move whole rows of words; only the fourth
// byte differs: an image carries 0 there (the reserved byte the program also writes), the surface
// 0xFF, which Qt requires of RGB32 images.
#include <QtGlobal>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <optional>

#include "display/bmp_layout.h"
#include "display/colors.h"
#include "display/display.h"
#include "display/layer_status.h"
#include "display/stop_point.h"
#include "display/window_registry.h"

namespace zorikan {
namespace {

static_assert(std::endian::native == std::endian::little, "pixel rows are copied as little-endian words");

using display::record_status;

constexpr uint32_t kOpaque = 0xFF000000u;
constexpr uint32_t kRgbMask = 0x00FFFFFFu;

// What put_image does with each destination pixel D, given the image pixel S and the fill pattern P.
enum class RasterOp {
  kSource,                    // S
  kNotSource,                 // NOT S
  kSourceOrDest,              // S OR D
  kSourceAndDest,             // S AND D
  kSourceXorDest,             // S XOR D
  kNotDest,                   // NOT D
  kPattern,                   // P
  kBlack,                     // black
  kPatternXorDest,            // P XOR D
  kWhite,                     // white
  kNotSourceOrDest,           // NOT (S OR D)
  kPatternAndSource,          // P AND S
  kNotSourceThenOrDest,       // (NOT S) OR D
  kSourceAndNotDest,          // S AND (NOT D)
  kPatternOrNotSourceOrDest,  // P OR (NOT S) OR D
};

// Each operation has a short code and the low word of its ternary raster operation code.
std::optional<RasterOp> raster_op_of(int32_t action) {
  switch (action) {
    case 3:
    case 32:
      return RasterOp::kSource;
    case 2:
    case 8:
      return RasterOp::kNotSource;
    case 0:
    case 134:
      return RasterOp::kSourceOrDest;
    case 1:
    case 198:
      return RasterOp::kSourceAndDest;
    case 4:
    case 70:
      return RasterOp::kSourceXorDest;
    case 9:
      return RasterOp::kNotDest;
    case 33:
      return RasterOp::kPattern;
    case 66:
      return RasterOp::kBlack;
    case 73:
      return RasterOp::kPatternXorDest;
    case 98:
      return RasterOp::kWhite;
    case 166:
      return RasterOp::kNotSourceOrDest;
    case 202:
      return RasterOp::kPatternAndSource;
    case 550:
      return RasterOp::kNotSourceThenOrDest;
    case 808:
      return RasterOp::kSourceAndNotDest;
    case 2569:
      return RasterOp::kPatternOrNotSourceOrDest;
    default:
      return std::nullopt;
  }
}

// Sixteen bytes as one vector word (SSE2 or NEON), loaded and stored through memcpy.
using ByteQuad = uint32_t __attribute__((vector_size(16)));

// Copies `bytes` bytes of whole pixels, combining byte k with byte k % 4 of `mask` by `op`: OR with
// kOpaque makes image pixels opaque surface pixels, AND with kRgbMask clears the reserved byte of
// surface pixels bound for an image. Stores are 16-byte aligned: image rows follow a 54-byte header,
// and stores that straddle cache lines would halve the speed. The mask is rotated to the phase at
// which the aligned part begins. This keeps pace with a plain memcpy of the row.
template <typename Op>
void copy_pixel_bytes(uint8_t* to, const uint8_t* from, size_t bytes, uint32_t mask, Op op) {
  auto mask_byte = [mask](size_t k) { return static_cast<uint8_t>(mask >> (8 * (k % 4))); };
  const size_t head = std::min(bytes, (16 - reinterpret_cast<uintptr_t>(to) % 16) % 16);
  size_t k = 0;
  for (; k < head; ++k) to[k] = static_cast<uint8_t>(op(from[k], mask_byte(k)));
  const uint32_t rotated = std::rotr(mask, static_cast<int>(8 * (head % 4)));
  const ByteQuad quad_mask = {rotated, rotated, rotated, rotated};
  for (; k + 32 <= bytes; k += 32) {
    ByteQuad low;
    ByteQuad high;
    std::memcpy(&low, from + k, 16);
    std::memcpy(&high, from + k + 16, 16);
    low = op(low, quad_mask);
    high = op(high, quad_mask);
    std::memcpy(to + k, &low, 16);
    std::memcpy(to + k + 16, &high, 16);
  }
  for (; k < bytes; ++k) to[k] = static_cast<uint8_t>(op(from[k], mask_byte(k)));
}

// `count` image pixels (blue, green, red, reserved) into a surface row, made opaque.
void copy_row_to_surface(uint32_t* surface_row, const uint8_t* image_row, int count) {
  copy_pixel_bytes(reinterpret_cast<uint8_t*>(surface_row), image_row, 4 * static_cast<size_t>(count),
                   kOpaque, [](auto value, auto mask) { return value | mask; });
}

// `count` surface pixels into an image row, with the reserved byte 0.
void copy_row_to_image(uint8_t* image_row, const uint32_t* surface_row, int count) {
  copy_pixel_bytes(image_row, reinterpret_cast<const uint8_t*>(surface_row), 4 * static_cast<size_t>(count),
                   kRgbMask, [](auto value, auto mask) { return value & mask; });
}

// The rows of an image that land on the surface: the first visible pixel of the topmost visible row,
// the step from one row to the next one down the surface (negative: rows are stored bottom-up).
struct ImageRows {
  const uint8_t* first;
  int64_t step;
  int bytes_per_pixel;
};

// 0x00RRGGBB of the image pixel at `at`.
inline uint32_t image_pixel(const uint8_t* at, int bytes_per_pixel) {
  if (bytes_per_pixel == 4) {
    uint32_t pixel;
    std::memcpy(&pixel, at, 4);
    return pixel & kRgbMask;
  }
  return at[0] | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16;
}

template <typename Op>
void combine(const ImageRows& image, uint32_t* surface, qsizetype surface_step, int width, int height,
             Op op) {
  for (int row = 0; row < height; ++row) {
    const uint8_t* source = image.first + row * image.step;
    uint32_t* destination = surface + row * surface_step;
    for (int i = 0; i < width; ++i) {
      const uint32_t s = image_pixel(source + i * image.bytes_per_pixel, image.bytes_per_pixel);
      destination[i] = kOpaque | (op(s, destination[i] & kRgbMask) & kRgbMask);
    }
  }
}

// P is a solid pattern of the drawing colour: the layer has no other brush, and the program sets none.
void apply(RasterOp op, const ImageRows& image, uint32_t* surface, qsizetype surface_step, int width,
           int height, uint32_t p) {
  auto run = [&](auto op_function) { combine(image, surface, surface_step, width, height, op_function); };
  switch (op) {
    case RasterOp::kSource:
      if (image.bytes_per_pixel == 4) {
        for (int row = 0; row < height; ++row) {
          copy_row_to_surface(surface + row * surface_step, image.first + row * image.step, width);
        }
        return;
      }
      return run([](uint32_t s, uint32_t) { return s; });
    case RasterOp::kNotSource:
      return run([](uint32_t s, uint32_t) { return ~s; });
    case RasterOp::kSourceOrDest:
      return run([](uint32_t s, uint32_t d) { return s | d; });
    case RasterOp::kSourceAndDest:
      return run([](uint32_t s, uint32_t d) { return s & d; });
    case RasterOp::kSourceXorDest:
      return run([](uint32_t s, uint32_t d) { return s ^ d; });
    case RasterOp::kNotDest:
      return run([](uint32_t, uint32_t d) { return ~d; });
    case RasterOp::kPattern:
      return run([p](uint32_t, uint32_t) { return p; });
    case RasterOp::kBlack:
      return run([](uint32_t, uint32_t) { return 0u; });
    case RasterOp::kPatternXorDest:
      return run([p](uint32_t, uint32_t d) { return p ^ d; });
    case RasterOp::kWhite:
      return run([](uint32_t, uint32_t) { return kRgbMask; });
    case RasterOp::kNotSourceOrDest:
      return run([](uint32_t s, uint32_t d) { return ~(s | d); });
    case RasterOp::kPatternAndSource:
      return run([p](uint32_t s, uint32_t) { return p & s; });
    case RasterOp::kNotSourceThenOrDest:
      return run([](uint32_t s, uint32_t d) { return ~s | d; });
    case RasterOp::kSourceAndNotDest:
      return run([](uint32_t s, uint32_t d) { return s & ~d; });
    case RasterOp::kPatternOrNotSourceOrDest:
      return run([p](uint32_t s, uint32_t d) { return p | ~s | d; });
  }
}

}  // namespace

int32_t image_size(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  display::stop_point();
  const auto window = display::drawing_target();
  if (!window) return -1;
  std::lock_guard guard(window->lock);
  const auto layout =
      display::bmp_layout(std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1, window->surface.depth());
  if (!layout) {
    record_status(display::kStatusFailure);
    return -1;
  }
  // The largest 2-byte rectangles need more than a 4-byte size can say.
  if (layout->total_size > std::numeric_limits<int32_t>::max()) {
    record_status(display::kStatusBadArgument);
    return -1;
  }
  record_status(display::kStatusOk);
  return static_cast<int32_t>(layout->total_size);
}

void get_image(int16_t x1, int16_t y1, int16_t x2, int16_t y2, std::span<uint8_t> buffer) {
  display::stop_point();
  const auto window = display::drawing_target();
  if (!window) return;
  std::lock_guard guard(window->lock);
  const QImage& surface = window->surface;
  const bool corrected = x2 < x1 || y2 < y1;
  const QRect box(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
  const auto layout = display::bmp_layout(box.width(), box.height(), surface.depth());
  if (!layout || layout->bits_per_pixel != 32) {
    record_status(display::kStatusFailure);
    return;
  }
  if (static_cast<int64_t>(buffer.size()) < layout->total_size) {
    record_status(display::kStatusBadArgument);
    return;
  }
  display::write_bmp_headers(*layout, buffer);

  // Pixels outside the surface are black.
  const QRect visible = box.intersected(surface.rect());
  uint8_t* pixels = buffer.data() + layout->pixel_offset;
  for (int row = 0; row < layout->height; ++row) {
    uint8_t* image_row = pixels + row * layout->row_bytes;
    const int y = box.bottom() - row;
    if (y < visible.top() || y > visible.bottom()) {
      std::memset(image_row, 0, static_cast<size_t>(layout->row_bytes));
      continue;
    }
    const int left_outside = visible.left() - box.left();
    const int right_outside = box.right() - visible.right();
    std::memset(image_row, 0, 4 * static_cast<size_t>(left_outside));
    copy_row_to_image(image_row + 4 * left_outside,
                      reinterpret_cast<const uint32_t*>(surface.constScanLine(y)) + visible.left(),
                      visible.width());
    std::memset(image_row + 4 * (left_outside + visible.width()), 0, 4 * static_cast<size_t>(right_outside));
  }

  if (visible.isEmpty()) {
    record_status(display::kStatusNothingDrawn);
  } else if (visible != box) {
    record_status(display::kStatusClipped);
  } else {
    record_status(corrected ? display::kStatusCorrected : display::kStatusOk);
  }
}

int16_t put_image(int16_t x, int16_t y, std::span<const uint8_t> buffer, int32_t action) {
  display::stop_point();
  const auto window = display::drawing_target();
  if (!window) return 0;
  const auto op = raster_op_of(action);
  if (!op) {
    record_status(display::kStatusBadArgument);
    return 0;
  }
  const display::BmpHeaders headers = display::read_bmp_headers(buffer);
  if (!headers.layout) {
    qWarning("put_image: image buffer: %s", headers.error.c_str());
    record_status(display::kStatusBadArgument);
    return 0;
  }
  const display::BmpLayout& layout = *headers.layout;
  if (layout.bits_per_pixel != 24 && layout.bits_per_pixel != 32) {
    qWarning("put_image: image buffer: bits per pixel is %d, expected 24 or 32", layout.bits_per_pixel);
    record_status(display::kStatusBadArgument);
    return 0;
  }

  std::lock_guard guard(window->lock);
  QImage& surface = window->surface;
  if (surface.isNull()) {
    record_status(display::kStatusFailure);
    return 0;
  }
  const QRect target(x, y, layout.width, layout.height);
  const QRect visible = target.intersected(surface.rect());
  if (visible.isEmpty()) {
    record_status(display::kStatusNothingDrawn);
    return 1;
  }
  const int bytes_per_pixel = layout.bits_per_pixel / 8;
  // Stored row of the image's topmost visible row, counted from the bottom.
  const int64_t first_stored_row = layout.height - 1 - (visible.top() - target.top());
  const ImageRows image{buffer.data() + layout.pixel_offset + first_stored_row * layout.row_bytes +
                            int64_t{visible.left() - target.left()} * bytes_per_pixel,
                        -layout.row_bytes, bytes_per_pixel};
  const qsizetype surface_step = surface.bytesPerLine() / 4;
  uint32_t* surface_first =
      reinterpret_cast<uint32_t*>(surface.bits()) + visible.top() * surface_step + visible.left();
  const uint32_t pattern = display::to_qrgb(display::color_to_rgb(window->draw_color)) & kRgbMask;
  apply(*op, image, surface_first, surface_step, visible.width(), visible.height(), pattern);

  window->mark_damaged(visible);
  record_status(visible == target ? display::kStatusOk : display::kStatusClipped);
  return 1;
}

}  // namespace zorikan
