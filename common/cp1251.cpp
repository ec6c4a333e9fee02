// Run-time conversions between UTF-8 and Windows-1251.
#include "common/cp1251.h"

namespace zorikan {
namespace {

void append_utf8(std::string& out, char32_t code_point) {
  if (code_point < 0x80) {
    out.push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    // Every code point of the code page lies in the Basic Multilingual Plane.
    out.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

}  // namespace

std::string utf8_to_cp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    const int byte = cp1251_byte(decode_utf8(utf8, pos));
    out.push_back(byte < 0 ? kCp1251Unmappable : static_cast<char>(byte));
  }
  return out;
}

std::string cp1251_to_utf8(std::string_view cp1251_text) {
  std::string out;
  out.reserve(cp1251_text.size() * 2);
  for (char c : cp1251_text) append_utf8(out, cp1251_code_point(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace zorikan
