// The glyph set: the nine figures (digits 1 to 9) hidden in the gratings of the start screen and of
// the training run, loaded once from zorikan.sym at start-up.
//
// Glyph k is stored at index k - 1. Each point is the (row, column) offset, in pixels, of the
// top-left corner of a 2L x 2L tile that the pictures draw for it (row down from the window's top,
// column right from the glyph's horizontal placement); only the first glyph_count[k - 1] points of a
// glyph are valid.
#pragma once

#include <array>
#include <cstdint>

namespace zorikan {

inline constexpr int32_t kGlyphCount = 9;
inline constexpr int32_t kMaxGlyphPoints = 10000;

struct GlyphPoint {
  int32_t row = 0;     // pixels downwards
  int32_t column = 0;  // pixels to the right
};

using GlyphCounts = std::array<int32_t, kGlyphCount>;
using GlyphPointList = std::array<GlyphPoint, kMaxGlyphPoints>;
using GlyphPoints = std::array<GlyphPointList, kGlyphCount>;

// Static for the life of the program (720 KB of points); written once at start-up by
// read_glyph_file, read by the program thread only.
extern GlyphCounts glyph_count;
extern GlyphPoints glyph_points;

}  // namespace zorikan
