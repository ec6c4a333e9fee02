// The grating-with-glyph picture of the start screen and the training run, and its one painter.
//
// The picture, in window pixels (x to the right, y downwards from the top row):
// - grating: n = width div L stripes per row; stripe i = 1 ... n covers x = (i - 1)L + 1 ... iL and is
//   white when i + y is odd, black when it is even; column 0 and the columns beyond nL are black
//   (an L x 1 checkerboard whose phase flips from row to row);
// - glyph: each point (r, c) carries a 2L x 2L tile at x = c + h + b, y = r + a (a, b = 1 ... 2L),
//   white where (a <= L and b <= L) or (a > L and b > L), black elsewhere (a 2 x 2 checkerboard of
//   L x L cells), later points over earlier ones; pixels outside the picture's area are not drawn.
//
// The painter clips first: each stripe and each half tile row reaches its target as one run of one
// colour already inside the area, and a tile wholly outside costs nothing. Two targets take the runs:
// ImageRows, an image in the buffer layout of get_image and put_image, and WindowRuns, the window's own
// drawing operations (a line per stripe, a pixel per glyph pixel, what lies outside the stripes kept).
//
// The image buffer holds a window's image as display.h lays it out (header, then blue, green, red and
// reserved bytes per pixel, bottom row first). White is 255, 255, 255, 0 and black 0, 0, 0, 0.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>

#include "display/display.h"
#include "services/glyph_set.h"
#include "services/graphics_window.h"

namespace zorikan {

// The image of the graphics window at the size asked for it; a picture is built in a buffer only when
// the window's image has exactly this size.
inline constexpr int32_t kStartImageBytes =
    kGraphicsWidth * kGraphicsHeight * kImageBytesPerPixel + kImageHeaderBytes;  // 2 548 054
inline constexpr size_t kStartImageBufferBytes = 2600000;

// Whether a window of nx x ny pixels takes its pictures through an image buffer: its whole-window image
// must be exactly kStartImageBytes. The size alone would also pass a window of another shape with as many
// pixels, or a shallower one with as many bytes; the buffer layout needs 4 bytes per pixel, so the pixel
// count must match too. Program thread (asks the Display layer).
bool uses_image_path(int16_t nx, int16_t ny);

// The glyph's horizontal offset h for a uniform value u: 450 (right half) when u > 0.5, else 20 (left
// half), rounded down to a multiple of the pattern size so the glyph keeps to the stripe raster.
constexpr int32_t glyph_offset(float u, int32_t size) {
  const int32_t x0 = u > 0.5f ? 450 : 20;
  return x0 / size * size;
}

// The part of the window a picture covers: columns 0 ... width - 1, rows top ... bottom - 1.
struct PictureArea {
  int32_t width = 0;
  int32_t top = 0;
  int32_t bottom = 0;
};

// An image in the buffer layout whose top row shows window row `top`; made by image_rows.
struct ImageRows {
  static constexpr int32_t kBytesPerPixel = kImageBytesPerPixel;
  uint8_t* pixels = nullptr;  // the first pixel after the header
  int32_t width = 0;
  int32_t height = 0;  // 0 when the buffer is too short for the image: nothing is painted
  int32_t top = 0;

  PictureArea area() const { return {width, top, top + height}; }
  uint8_t* row(int32_t y) const {
    return pixels + static_cast<size_t>(height - 1 - (y - top)) * width * kBytesPerPixel;
  }
  // Rows past the first two are copies of the row two above, which has the same phase.
  bool repeat_row(int32_t y) const {
    if (y - top < 2) return false;
    std::memcpy(row(y), row(y - 2), static_cast<size_t>(width) * kBytesPerPixel);
    return true;
  }
  // A composed row starts black, the colour of the pixels of no stripe.
  void start_row(int32_t y) const { std::memset(row(y), 0, static_cast<size_t>(width) * kBytesPerPixel); }
  void stripe(int32_t y, int32_t x, int32_t count, bool white) const {
    if (white) fill(y, x, count, white);
  }
  void tile_run(int32_t y, int32_t x, int32_t count, bool white) const { fill(y, x, count, white); }

  // Runs are a stripe or half a tile row, 1 to 9 pixels in the program: a 4-byte store per pixel costs a
  // fraction of a call to memcpy or memset for so few bytes.
  void fill(int32_t y, int32_t x, int32_t count, bool white) const {
    const uint32_t word = white ? 0x00FFFFFFu : 0u;  // blue, green, red, reserved in memory order
    uint8_t* at = row(y) + static_cast<size_t>(x) * kBytesPerPixel;
    for (int32_t i = 0; i < count; ++i) std::memcpy(at + i * kBytesPerPixel, &word, kBytesPerPixel);
  }
};

// The rows of the width x height image held in `image` (header first), its top row showing window row
// `top`; an image the buffer cannot hold gets no rows.
ImageRows image_rows(std::span<uint8_t> image, int32_t width, int32_t height, int32_t top);

// The active window's drawing operations. Program thread.
struct WindowRuns {
  GraphicsPosition previous;

  bool repeat_row(int32_t) const { return false; }
  void start_row(int32_t) const {}
  // Drawn in the stripe's colour, which stays the drawing colour.
  void stripe(int32_t y, int32_t x, int32_t count, bool white);
  void tile_run(int32_t y, int32_t x, int32_t count, bool white) const;
};

namespace picture_detail {

// The positions begin ... end - 1 of [begin, end) that lie in [low, high).
struct Run {
  int32_t begin = 0;
  int32_t end = 0;
  bool empty() const { return begin >= end; }
  int32_t count() const { return end - begin; }
};

inline Run clip(int64_t begin, int64_t end, int64_t low, int64_t high) {
  return {static_cast<int32_t>(std::clamp(begin, low, high)),
          static_cast<int32_t>(std::clamp(end, low, high))};
}

// One point's tile, its left column `left` and its top row `above` (the tile starts one further).
template <typename Target>
void paint_tile(Target& target, PictureArea area, int32_t size, int64_t left, int64_t above) {
  const Run first = clip(left + 1, left + size + 1, 0, area.width);
  const Run second = clip(left + size + 1, left + 2 * size + 1, 0, area.width);
  const Run rows = clip(above + 1, above + 2 * size + 1, area.top, area.bottom);
  if (rows.empty() || (first.empty() && second.empty())) return;
  for (int32_t y = rows.begin; y < rows.end; ++y) {
    const bool upper =
        y - above <= size;  // the upper cells: white left, black right; the lower ones the other way
    if (!first.empty()) target.tile_run(y, first.begin, first.count(), upper);
    if (!second.empty()) target.tile_run(y, second.begin, second.count(), !upper);
  }
}

}  // namespace picture_detail

// Paints the grating of pattern size `size` over the area, row by row from the top; after each row
// `after_row(y)` says whether to go on. False when it said no.
template <typename Target, typename AfterRow>
bool paint_grating(Target& target, PictureArea area, int32_t size, AfterRow after_row) {
  if (size < 1) return true;
  const int32_t stripes = area.width / size;
  for (int32_t y = area.top; y < area.bottom; ++y) {
    if (!target.repeat_row(y)) {
      target.start_row(y);
      // When size divides the width, the last stripe's last pixel (x = width) lies outside the window.
      for (int32_t i = 1; i <= stripes; ++i) {
        const int32_t x = (i - 1) * size + 1;
        const int32_t count = std::min(size, area.width - x);
        if (count > 0) target.stripe(y, x, count, (i + y) % 2 == 1);
      }
    }
    if (!after_row(y)) return false;
  }
  return true;
}

// Paints the tiles of `points` for pattern size `size` at horizontal offset `offset`, clipped to the
// area; after each point `after_point()` says whether to go on. False when it said no.
template <typename Target, typename AfterPoint>
bool paint_glyph(Target& target, PictureArea area, int32_t size, int32_t offset,
                 std::span<const GlyphPoint> points, AfterPoint after_point) {
  if (size < 1) return true;
  for (const GlyphPoint& point : points) {
    picture_detail::paint_tile(target, area, size, int64_t{point.column} + offset, point.row);
    if (!after_point()) return false;
  }
  return true;
}

}  // namespace zorikan
