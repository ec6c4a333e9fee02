// The glyph file reader; the layout is described in glyph_file.h.
#include "session/glyph_file.h"

#include <array>
#include <filesystem>
#include <span>
#include <string>

#include "common/file_units.h"
#include "common/program_stop.h"

namespace zorikan {
namespace {

// The points of one glyph as they stand in the file, row and column alternating; 80 KB, static so
// that nothing is allocated per read.
std::array<int32_t, 2 * kMaxGlyphPoints> g_point_values;

// The file must be there: it is opened without creating it, and a failure says where it was looked for.
void open_glyph_file() {
  const IoResult opened = open_file(kGlyphFileUnit, kGlyphFileName, FileStatus::kOld, ErrorExit::kReturn);
  if (opened.ok()) return;
  std::error_code ignored;
  const std::filesystem::path expected = std::filesystem::absolute(kGlyphFileName, ignored);
  // Reports are UTF-8 whatever the system's narrow code page, so the path is taken in UTF-8 too.
  const std::u8string place = expected.u8string();
  report_fatal_error(opened.report + "; the glyph file is expected at " +
                     std::string(reinterpret_cast<const char*>(place.data()), place.size()));
}

}  // namespace

void read_glyph_file() {
  open_glyph_file();
  int32_t line = 1;  // line number of the current count line, for the report of a bad count
  for (int32_t k = 1; k <= kGlyphCount; ++k) {
    int32_t count = 0;
    read_formatted(kGlyphFileUnit, kGlyphCountLineRead, {&count});
    // The point arrays hold kMaxGlyphPoints points per glyph: a larger count would overrun them.
    if (count < 0 || count > kMaxGlyphPoints) {
      close_file(kGlyphFileUnit, ErrorExit::kReturn);
      report_fatal_error(std::string(kGlyphFileName) + ", line " + std::to_string(line) +
                         ", columns 17-24: glyph " + std::to_string(k) + " has a point count of " +
                         std::to_string(count) + "; it must be 0 to " + std::to_string(kMaxGlyphPoints));
    }
    const std::span<int32_t> values(g_point_values.data(), static_cast<size_t>(2 * count));
    read_formatted(kGlyphFileUnit, kGlyphPointLines, values);  // a count of 0 still reads one line
    GlyphPointList& points = glyph_points[static_cast<size_t>(k - 1)];
    for (int32_t j = 0; j < count; ++j) {
      points[static_cast<size_t>(j)] = {values[static_cast<size_t>(2 * j)],
                                        values[static_cast<size_t>(2 * j + 1)]};
    }
    glyph_count[static_cast<size_t>(k - 1)] = count;
    line += 1 + glyph_point_line_count(count);
  }
  close_file(kGlyphFileUnit);
}

}  // namespace zorikan
