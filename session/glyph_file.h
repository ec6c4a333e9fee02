// The glyph file zorikan.sym: its layout, shared by the program's reader and the generator in tools/,
// and the reader that fills the glyph set at start-up.
//
// Text, Windows-1251, CR LF. Nine blocks follow each other, one per glyph k = 1, 2, ... 9:
//   count line   columns  1-16  a label, ignored on reading (the generator writes "digit k")
//                columns 17-24  N(k), the glyph's point count, right-justified
//                columns 25-    ignored
//   point lines  row(1), column(1), row(2), column(2), ... row(N), column(N): 20 integers per line,
//                each right-justified in 4 columns (10 points to a full line, the last line possibly
//                shorter). A glyph with N(k) = 0 still has one point line, whose content is ignored.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/format.h"
#include "services/glyph_set.h"

namespace zorikan {

inline constexpr std::string_view kGlyphFileName = "zorikan.sym";
// The glyph file is read on this unit (shared with zorikan.vvd, which is never open at the same time).
inline constexpr int32_t kGlyphFileUnit = 14;

inline constexpr Format kGlyphCountLineRead = parse_format("(16X,I8)");
inline constexpr Format kGlyphCountLineWrite = parse_format("('digit',I2,9X,I8)");
inline constexpr Format kGlyphPointLines = parse_format("(20I4)");
inline constexpr int32_t kGlyphValuesPerLine = 20;

// Number of point lines a glyph of `count` points occupies.
constexpr int32_t glyph_point_line_count(int32_t count) {
  return count <= 0 ? 1 : (2 * count + kGlyphValuesPerLine - 1) / kGlyphValuesPerLine;
}

// Reads zorikan.sym from the working directory into glyph_count and glyph_points. The file is opened
// with status "old", so an absent file is never created; failing to open it ends the program with a
// report that gives the full path where the file was expected. It is read without an error exit: a
// missing line or a number that does not convert ends the program with the input layer's report. A
// point count outside 0..kMaxGlyphPoints ends it with a report naming the line, the glyph and the count.
void read_glyph_file();

}  // namespace zorikan
