// Format texts and their parsed form.
//
// A format text is a parenthesised list of edit descriptors, written in UTF-8 in the source:
//
//   Iw    an integer in w columns            Iw.m  the same with at least m digits (leading zeros)
//   Fw.d  a real in w columns, d decimals    nX    n columns skipped (X alone is 1X)
//   /     end of the line (record)           '..'  quoted text ('' inside for a quote; "..." too)
//
// I, F and / take a repeat count (20I4, 3F7.2, 2/). Items are separated by commas; a comma next to a
// "/" may be left out. Blanks between items are ignored. Groups in parentheses and other descriptors
// (A, E, T, ...) are not supported. Quoted texts are stored as Windows-1251 bytes, so a text of k
// characters fills k columns.
//
// The parse is done once: keep the result in a static, and make it constexpr where the text is
// known, so that a malformed format fails the compilation:
//
//   static constexpr Format kCountLine = parse_format("(16X,I8)");
//
// At run time a malformed format is a programming error: parse_format ends the program with a report
// naming the format, the column and what is wrong.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "common/cp1251.h"

namespace zorikan {

enum class EditKind : uint8_t {
  kInteger,  // Iw, Iw.m
  kReal,     // Fw.d
  kSkip,     // nX
  kLiteral,  // quoted text
  kNewLine,  // "/"
};

struct EditDescriptor {
  EditKind kind = EditKind::kSkip;
  bool has_min_digits = false;  // written as Iw.m rather than Iw
  uint16_t repeat = 1;          // I, F, "/": how many times in a row the descriptor applies
  uint16_t width = 0;           // I, F: field width w; X: columns n; literal: its length in bytes
  uint16_t digits = 0;          // I: minimum digits (m of Iw.m, 1 for Iw); F: decimals d
  uint16_t literal_offset = 0;  // literal: where its Windows-1251 bytes start in the format's pool
};

inline constexpr size_t kMaxEditDescriptors = 64;
inline constexpr size_t kMaxFormatLiteralBytes = 512;
inline constexpr uint32_t kMaxFieldWidth = 1000;
inline constexpr uint32_t kMaxRepeatCount = 65535;

// A parsed format: a fixed-size value (about 1.3 KB), built only by the parser.
class Format {
 public:
  constexpr Format() = default;

  constexpr std::span<const EditDescriptor> descriptors() const { return {items_.data(), item_count_}; }
  constexpr std::string_view literal(const EditDescriptor& item) const {
    return {literals_.data() + item.literal_offset, item.width};
  }
  // Whether an I or F descriptor is present, i.e. whether the format can take values at all.
  constexpr bool takes_values() const {
    for (const EditDescriptor& item : descriptors()) {
      if (item.kind == EditKind::kInteger || item.kind == EditKind::kReal) return true;
    }
    return false;
  }

 private:
  friend struct FormatParser;

  std::array<EditDescriptor, kMaxEditDescriptors> items_ = {};
  std::array<char, kMaxFormatLiteralBytes> literals_ = {};
  size_t item_count_ = 0;
  size_t literal_size_ = 0;
};

// The characters one record of a one-line format writes: the widths of its fields, skips and literals.
constexpr size_t record_width(const Format& format) {
  size_t width = 0;
  for (const EditDescriptor& item : format.descriptors()) {
    if (item.kind == EditKind::kInteger || item.kind == EditKind::kReal) {
      width += size_t{item.repeat} * item.width;
    } else if (item.kind != EditKind::kNewLine) {
      width += item.width;
    }
  }
  return width;
}

// The outcome of parsing: the format, or what is wrong and where.
struct FormatParse {
  Format format;
  const char* error = nullptr;  // null when the text is a well-formed format
  size_t column = 0;            // 1-based character position in the format text where the fault was seen
};

struct FormatParser {
  std::string_view text;
  size_t pos = 0;
  FormatParse result = {};

  constexpr FormatParse fail(const char* what) {
    result.error = what;
    result.column = 1;
    for (size_t i = 0; i < pos && i < text.size(); ++i) {
      if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++result.column;  // UTF-8 lead bytes
    }
    return result;
  }

  constexpr void skip_blanks() {
    while (pos < text.size() && text[pos] == ' ') ++pos;
  }

  static constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

  // Reads a run of digits; values past 10^6 stay at 10^6 + 1, which every range check rejects.
  constexpr bool read_number(uint32_t& value) {
    if (pos >= text.size() || !is_digit(text[pos])) return false;
    value = 0;
    while (pos < text.size() && is_digit(text[pos])) {
      value = value > 1000000 ? 1000001 : value * 10 + static_cast<uint32_t>(text[pos] - '0');
      ++pos;
    }
    return true;
  }

  constexpr bool add(const EditDescriptor& item) {
    if (result.format.item_count_ == kMaxEditDescriptors) return false;
    result.format.items_[result.format.item_count_++] = item;
    return true;
  }

  // The quoted text starting at the opening quote, stored as Windows-1251; null or an error text.
  constexpr const char* read_literal(EditDescriptor& item) {
    const char quote = text[pos++];
    Format& format = result.format;
    item.kind = EditKind::kLiteral;
    item.literal_offset = static_cast<uint16_t>(format.literal_size_);
    while (true) {
      if (pos >= text.size()) return "the quoted text has no closing quote";
      if (text[pos] == quote) {
        if (pos + 1 < text.size() && text[pos + 1] == quote) {
          pos += 2;
          if (format.literal_size_ == kMaxFormatLiteralBytes)
            return "quoted texts longer than 512 characters";
          format.literals_[format.literal_size_++] = quote;
          continue;
        }
        ++pos;
        break;
      }
      const size_t character_start = pos;
      const int byte = cp1251_byte(decode_utf8(text, pos));
      if (byte < 0) {
        pos = character_start;
        return "the quoted text holds a character outside Windows-1251";
      }
      if (format.literal_size_ == kMaxFormatLiteralBytes) return "quoted texts longer than 512 characters";
      format.literals_[format.literal_size_++] = static_cast<char>(byte);
    }
    item.width = static_cast<uint16_t>(format.literal_size_ - item.literal_offset);
    return nullptr;
  }

  // One edit descriptor at pos (with its repeat count); null or an error text.
  constexpr const char* read_item(EditDescriptor& item) {
    uint32_t count = 0;
    const bool has_count = read_number(count);
    skip_blanks();
    if (pos >= text.size()) return "missing \")\" at the end";
    const char c = text[pos];
    if (has_count && (count < 1 || count > kMaxRepeatCount)) return "a repeat count must be 1 to 65535";
    switch (c) {
      case 'I':
      case 'i':
      case 'F':
      case 'f': {
        ++pos;
        const bool real = c == 'F' || c == 'f';
        uint32_t width = 0;
        uint32_t digits = 1;
        if (!read_number(width)) return real ? "Fw.d needs a width w" : "Iw needs a width w";
        if (width < 1 || width > kMaxFieldWidth) return "a field width must be 1 to 1000";
        if (pos < text.size() && text[pos] == '.') {
          ++pos;
          if (!read_number(digits))
            return real ? "Fw.d needs a number of decimals d" : "Iw.m needs a digit count m";
          if (real && digits >= width) return "Fw.d needs d smaller than w";
          if (!real && digits > width) return "Iw.m needs m no larger than w";
          item.has_min_digits = !real;
        } else if (real) {
          return "Fw.d needs \".\" and a number of decimals d";
        }
        item.kind = real ? EditKind::kReal : EditKind::kInteger;
        item.repeat = static_cast<uint16_t>(has_count ? count : 1);
        item.width = static_cast<uint16_t>(width);
        item.digits = static_cast<uint16_t>(digits);
        return nullptr;
      }
      case 'X':
      case 'x':
        ++pos;
        if (has_count && count > kMaxFieldWidth) return "nX needs n from 1 to 1000";
        item.kind = EditKind::kSkip;
        item.width = static_cast<uint16_t>(has_count ? count : 1);
        return nullptr;
      case '/':
        ++pos;
        item.kind = EditKind::kNewLine;
        item.repeat = static_cast<uint16_t>(has_count ? count : 1);
        return nullptr;
      case '\'':
      case '"':
        if (has_count) return "a repeat count cannot stand before a quoted text";
        return read_literal(item);
      case '(':
        return "groups in parentheses are not supported";
      case ')':
      case ',':
        return has_count ? "a repeat count must be followed by an edit descriptor"
                         : "an edit descriptor is missing";
      default:
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return "unsupported edit descriptor";
        return "unexpected character";
    }
  }

  constexpr FormatParse parse() {
    skip_blanks();
    if (pos >= text.size() || text[pos] != '(') return fail("a format begins with \"(\"");
    ++pos;
    bool item_since_comma = false;  // an item stands between the last comma (or "(") and here
    bool needs_separator = false;   // the last item was not "/", so a comma must come first
    while (true) {
      skip_blanks();
      if (pos >= text.size()) return fail("missing \")\" at the end");
      const char c = text[pos];
      if (c == ')') {
        if (!item_since_comma && result.format.item_count_ > 0) return fail("an edit descriptor is missing");
        ++pos;
        break;
      }
      if (c == ',') {
        if (!item_since_comma) return fail("an edit descriptor is missing");
        ++pos;
        item_since_comma = false;
        needs_separator = false;
        continue;
      }
      const size_t start = pos;
      EditDescriptor item;
      if (const char* error = read_item(item)) return fail(error);
      if (needs_separator && item.kind != EditKind::kNewLine) {
        pos = start;
        return fail("\",\" missing between edit descriptors");
      }
      if (!add(item)) {
        pos = start;
        return fail("more than 64 edit descriptors");
      }
      item_since_comma = true;
      needs_separator = item.kind != EditKind::kNewLine;
    }
    skip_blanks();
    if (pos != text.size()) return fail("text after the closing \")\"");
    return result;
  }
};

// Parses without reporting: for callers that build formats from data and for tests.
constexpr FormatParse try_parse_format(std::string_view utf8_text) {
  FormatParser parser{utf8_text};
  return parser.parse();
}

// Ends the program with `format "<text>", column <c>: <error>`.
[[noreturn]] void report_malformed_format(std::string_view utf8_text, const char* error, size_t column);

constexpr Format parse_format(std::string_view utf8_text) {
  FormatParse parse = try_parse_format(utf8_text);
  if (parse.error != nullptr) report_malformed_format(utf8_text, parse.error, parse.column);
  return parse.format;
}

}  // namespace zorikan
