// The start screen's picture built in a whole-window image buffer: the grating of pattern size L and
// glyph L hidden in it, shown afterwards with one put_image.
//
// The buffer holds an image as get_image and put_image exchange it: a 54-byte header, then 4 bytes
// per pixel (blue, green, red, reserved) with no row padding, rows stored bottom row first, so window
// row y is buffer row height - 1 - y. White is 255, 255, 255, 0 and black 0, 0, 0, 0.
//
// The picture, in window pixels (x to the right, y downwards from the top row):
// - grating: n = width div L stripes per row; stripe i = 1 ... n covers x = (i - 1)L + 1 ... iL and is
//   white when i + y is odd, black when it is even; column 0 and the columns beyond nL are black
//   (an L x 1 checkerboard whose phase flips from row to row);
// - glyph: each point (r, c) carries a 2L x 2L tile at x = c + h + b, y = r + a (a, b = 1 ... 2L),
//   white where (a <= L and b <= L) or (a > L and b > L), black elsewhere (a 2 x 2 checkerboard of
//   L x L cells), later points over earlier ones; pixels outside the window are not drawn.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "services/glyph_set.h"

namespace zorikan {

inline constexpr int32_t kImageHeaderBytes = 54;
// The image of a 980 x 650 window at 4 bytes per pixel; the picture is built in the buffer only when
// the window's image has exactly this size.
inline constexpr int32_t kStartImageBytes = 980 * 650 * 4 + kImageHeaderBytes;  // 2 548 054
inline constexpr size_t kStartImageBufferBytes = 2600000;

// Static for the life of the program; the program thread's only. Holds the last picture built.
extern std::array<uint8_t, kStartImageBufferBytes> start_image_buffer;

// Writes window row y of the grating of pattern size `size` (every pixel of the row). Rows 0 and 1
// are composed; each later row is copied from the row two above it, which has the same phase, so
// the rows of a picture must be written in order from y = 0 with the same size.
void write_grating_row(std::span<uint8_t> image, int32_t width, int32_t height, int32_t size, int32_t y);

// Writes the tiles of `points` for pattern size `size` at horizontal offset `offset`, clipped to the
// image. `top` is the window row that the image's top row shows (a picture below a status band): a
// point's row counts in window rows, and tile rows above `top` are not drawn.
void write_glyph(std::span<uint8_t> image, int32_t width, int32_t height, int32_t size, int32_t offset,
                 std::span<const GlyphPoint> points, int32_t top = 0);

// Whether a window of nx x ny pixels takes its pictures through the image buffer: its whole-window
// image must be exactly kStartImageBytes. The size alone would also pass a window of another shape with
// as many pixels, or a shallower one with as many bytes; the buffer layout needs 4 bytes per pixel, so
// the pixel count must match too. Program thread (asks the Display layer).
bool uses_image_path(int16_t nx, int16_t ny);

// The glyph's horizontal offset h for a uniform value u: 450 (right half) when u > 0.5, else 20 (left
// half), rounded down to a multiple of the pattern size so the glyph keeps to the stripe raster.
constexpr int32_t glyph_offset(float u, int32_t size) {
  const int32_t x0 = u > 0.5f ? 450 : 20;
  return x0 / size * size;
}

}  // namespace zorikan
