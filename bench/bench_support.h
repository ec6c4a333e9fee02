// What several benchmarks share: the shipped glyphs loaded as the program loads them, and the reference
// time of a plain memcpy of a whole-window image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "session/glyph_file.h"

namespace zorikan::bench {

// Reads data/zorikan.sym of the source tree into the program's glyph arrays, once.
void load_shipped_glyphs();

// The shipped glyph of pattern size `size` (1..9) and its column offset on the left or the right half.
struct PlacedGlyph {
  std::span<const GlyphPoint> points;
  int32_t offset;
};
PlacedGlyph shipped_glyph(int32_t size, bool on_the_right);

// Seconds of one memcpy of `bytes` bytes, the fastest of 200 (as the benchmark loops run warm); measured
// once per size.
double memcpy_seconds(size_t bytes);

}  // namespace zorikan::bench
