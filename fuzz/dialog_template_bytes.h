// A byte form of a dialog template, so that a fuzzer can build templates from its input and its seed
// can be the program's own parameter dialog.
//
// Little-endian, every field fixed-size except the texts (a length byte, then that many bytes):
//   header  style u32, x i16, y i16, width i16, height i16, font_points i16, language u16,
//           caption text, font_face text, item count u8
//   item    id i32, control class u8 (taken modulo the number of classes), style u32,
//           x i16, y i16, width i16, height i16, text
// Input that ends early reads as zeros and empty texts.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/dialog_template.h"

namespace zorikan::fuzz {

// Reads the fields in turn from a byte string.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
  uint32_t unsigned_field(int byte_count);
  int16_t short_field() { return static_cast<int16_t>(unsigned_field(2)); }
  std::string_view text();
  bool empty() const { return bytes_.empty(); }

 private:
  std::string_view bytes_;
};

// A template decoded from bytes, owning what its views point to.
struct DecodedTemplate {
  DialogHeader header;
  std::vector<DialogItem> items;
  std::deque<std::string> texts;
  DialogTemplate view() const { return {header, items}; }
};

DecodedTemplate decode_dialog_template(ByteReader& reader);
std::string encode_dialog_template(const DialogTemplate& dialog);

}  // namespace zorikan::fuzz
