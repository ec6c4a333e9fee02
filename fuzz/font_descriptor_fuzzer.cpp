// Fuzz target: the font descriptor parser, and the choice of a table entry for what it parsed over a
// table of scalable faces and raster sizes such as systems offer.
//
// Input: the first byte chooses the window's current font (an index into the table, or none); the
// rest is the descriptor (Windows-1251 bytes).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "display/font_descriptor.h"
#include "display/font_table.h"
#include "fuzz/fuzz_support.h"

namespace zorikan::display {
namespace {

FontEntry entry(std::string face, FontType type, int height, int width, uint8_t pitch, uint8_t charset) {
  FontEntry font;
  font.type = type;
  font.face_name = face;
  font.family = face;
  font.style = "Regular";
  font.point_size = type == FontType::kRaster ? height : 0;
  font.height = height;
  font.width = width;
  font.pitch_and_family = pitch;
  font.charset = charset;
  return font;
}

const std::vector<FontEntry> kTable = {
    entry("Times New Roman", FontType::kScalable, 16, 7, kVariablePitch, kAnsiCharset),
    entry("Times New Roman", FontType::kScalable, 16, 7, kVariablePitch, kCyrillicCharset),
    entry("Arial", FontType::kScalable, 16, 7, kVariablePitch, kAnsiCharset),
    entry("Courier New", FontType::kScalable, 16, 9, kFixedPitch, kAnsiCharset),
    entry("System", FontType::kRaster, 16, 7, kVariablePitch, kAnsiCharset),
    entry("Terminal", FontType::kRaster, 8, 8, kFixedPitch, kCyrillicCharset),
    entry("Terminal", FontType::kRaster, 12, 8, kFixedPitch, kCyrillicCharset),
    entry("Small Fonts", FontType::kRaster, 3, 2, kVariablePitch, kAnsiCharset),
};

}  // namespace
}  // namespace zorikan::display

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorikan::display;
  if (size == 0) return 0;
  const int current = static_cast<int>(data[0] % (kTable.size() + 1)) - 1;
  const auto request = parse_font_descriptor(zorikan::fuzz::as_text(data + 1, size - 1));
  if (request) match_font(*request, kTable, current);
  return 0;
}
