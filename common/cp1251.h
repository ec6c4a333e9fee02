// Windows-1251 text: the code page of every text the program writes to its files and hands to the
// Display layer.
//
// Program texts are written in UTF-8 in the source and become Windows-1251 bytes at compile time:
//
//   static constexpr auto kExit = cp1251<"Выход">();   // kExit.view() is the 5 bytes C2 FB F5 EE E4
//
// A literal holding a character that Windows-1251 has no byte for does not compile: the compiler
// reports a call to `utf8_literal_has_a_character_outside_windows_1251`. At run time
// `utf8_to_cp1251` and `cp1251_to_utf8` convert at the Display layer's boundary and for reports.
//
// The code page: bytes 0x00-0x7F are ASCII, 0xC0-0xFF are А..я (U+0410-U+044F), and 0x80-0xBF hold
// the other Cyrillic letters of the Slavic languages, typographic marks and a few symbols (table below).
// Byte 0x98 is unassigned: it reads as U+FFFD (the replacement character) and nothing writes it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zorikan {

// The compile-time conversion relies on the compiler keeping narrow literals in UTF-8 (GCC's default).
static_assert(std::string_view("Ж").size() == 2 && std::string_view("Ж")[0] == '\xD0',
              "narrow string literals must be UTF-8 (-fexec-charset=UTF-8)");

// Unicode code points of the bytes 0x80-0xBF; 0 marks the unassigned byte 0x98.
inline constexpr std::array<char32_t, 64> kCp1251Block80 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87 Ђ Ѓ ‚ ѓ „ … † ‡
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88-8F € ‰ Љ ‹ Њ Ќ Ћ Џ
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97 ђ ‘ ’ “ ” • – —
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98-9F (none) ™ љ › њ ќ ћ џ
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0-A7 nbsp Ў ў Ј ¤ Ґ ¦ §
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8-AF Ё © Є « ¬ shy ® Ї
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0-B7 ° ± І і ґ µ ¶ ·
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8-BF ё № є » ј Ѕ ѕ ї
};

// What an unassigned byte or an unreadable UTF-8 sequence becomes in UTF-8.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;
// What a character without a Windows-1251 byte becomes at run time.
inline constexpr char kCp1251Unmappable = '?';
// Returned by `decode_utf8` for a byte that does not start a well-formed sequence.
inline constexpr char32_t kMalformedUtf8 = 0xFFFFFFFF;

// The code point of a Windows-1251 byte; kReplacementCharacter for 0x98.
constexpr char32_t cp1251_code_point(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  char32_t code_point = kCp1251Block80[byte - 0x80];
  return code_point == 0 ? kReplacementCharacter : code_point;
}

// The Windows-1251 byte of a code point, or -1 when the code page has none.
constexpr int cp1251_byte(char32_t code_point) {
  if (code_point < 0x80) return static_cast<int>(code_point);
  if (code_point >= 0x0410 && code_point <= 0x044F) return static_cast<int>(code_point - 0x0410 + 0xC0);
  for (size_t i = 0; i < kCp1251Block80.size(); ++i) {
    if (kCp1251Block80[i] != 0 && kCp1251Block80[i] == code_point) return static_cast<int>(0x80 + i);
  }
  return -1;
}

// Decodes the UTF-8 sequence starting at text[pos] and moves pos past it. A byte that does not start
// a well-formed sequence (stray continuation byte, truncated or overlong sequence, surrogate, beyond
// U+10FFFF) gives kMalformedUtf8 and pos moves by that one byte, so decoding resumes at the next.
constexpr char32_t decode_utf8(std::string_view text, size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  // 110xxxxx, 1110xxxx and 11110xxx lead sequences of 2, 3 and 4 bytes; the lead keeps 7 - length bits.
  const size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0) {
    ++pos;
    return kMalformedUtf8;
  }
  char32_t code_point = lead & (0x7F >> length);
  const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;  // below: overlong
  if (text.size() - pos < length) {
    ++pos;
    return kMalformedUtf8;
  }
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[pos + k]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kMalformedUtf8;
    }
    code_point = (code_point << 6) | (next & 0x3F);
  }
  if (code_point < smallest || code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF)) {
    ++pos;
    return kMalformedUtf8;
  }
  pos += length;
  return code_point;
}

// Never defined and not constexpr: calling it during constant evaluation stops the compilation, and
// its name is the diagnostic.
void utf8_literal_has_a_character_outside_windows_1251();

// Number of Windows-1251 bytes a UTF-8 text becomes; at compile time an unconvertible text is an error.
constexpr size_t cp1251_length_of_literal(std::string_view utf8) {
  size_t count = 0;
  for (size_t pos = 0; pos < utf8.size(); ++count) {
    if (cp1251_byte(decode_utf8(utf8, pos)) < 0) utf8_literal_has_a_character_outside_windows_1251();
  }
  return count;
}

// A string literal as a template argument, so that its length can size the converted text.
template <size_t N>
struct Utf8Literal {
  char bytes[N] = {};
  consteval Utf8Literal(const char (&text)[N]) {
    for (size_t i = 0; i < N; ++i) bytes[i] = text[i];
  }
  constexpr std::string_view view() const { return {bytes, N - 1}; }
};

// A Windows-1251 text of N bytes, made at compile time (no terminating NUL).
template <size_t N>
struct Cp1251Text {
  std::array<char, N> bytes = {};
  constexpr std::string_view view() const { return {bytes.data(), N}; }
  constexpr const char* data() const { return bytes.data(); }
  static constexpr size_t size() { return N; }
};

template <Utf8Literal kUtf8>
consteval auto cp1251() {
  constexpr size_t kLength = cp1251_length_of_literal(kUtf8.view());
  Cp1251Text<kLength> text;
  const std::string_view utf8 = kUtf8.view();
  size_t pos = 0;
  for (size_t i = 0; i < kLength; ++i) {
    text.bytes[i] = static_cast<char>(cp1251_byte(decode_utf8(utf8, pos)));
  }
  return text;
}

// Run-time conversions. A character without a Windows-1251 byte, and each byte of malformed UTF-8,
// becomes '?'; every Windows-1251 byte has a UTF-8 form (0x98 becomes U+FFFD).
std::string utf8_to_cp1251(std::string_view utf8);
std::string cp1251_to_utf8(std::string_view cp1251_text);

}  // namespace zorikan
