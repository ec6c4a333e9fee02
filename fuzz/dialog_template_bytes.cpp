// The byte form of dialog templates; see dialog_template_bytes.h.
#include "fuzz/dialog_template_bytes.h"

#include <algorithm>

namespace zorikan::fuzz {
namespace {

constexpr uint32_t kControlClassCount = static_cast<uint32_t>(ControlClass::kTabControl) + 1;

void put(std::string& bytes, uint32_t value, int byte_count) {
  for (int i = 0; i < byte_count; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
}

void put_text(std::string& bytes, std::string_view text) {
  const size_t length = std::min<size_t>(text.size(), 255);
  bytes.push_back(static_cast<char>(length));
  bytes.append(text.substr(0, length));
}

}  // namespace

uint32_t ByteReader::unsigned_field(int byte_count) {
  uint32_t value = 0;
  for (int i = 0; i < byte_count && !bytes_.empty(); ++i) {
    value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes_[0])) << (8 * i);
    bytes_.remove_prefix(1);
  }
  return value;
}

std::string_view ByteReader::text() {
  const size_t length = std::min<size_t>(unsigned_field(1), bytes_.size());
  const std::string_view text = bytes_.substr(0, length);
  bytes_.remove_prefix(length);
  return text;
}

DecodedTemplate decode_dialog_template(ByteReader& reader) {
  DecodedTemplate decoded;
  DialogHeader& header = decoded.header;
  header.style = reader.unsigned_field(4);
  header.x = reader.short_field();
  header.y = reader.short_field();
  header.width = reader.short_field();
  header.height = reader.short_field();
  header.font_points = reader.short_field();
  header.language = static_cast<uint16_t>(reader.unsigned_field(2));
  header.caption = decoded.texts.emplace_back(reader.text());
  header.font_face = decoded.texts.emplace_back(reader.text());
  const uint32_t count = reader.unsigned_field(1);
  for (uint32_t i = 0; i < count; ++i) {
    DialogItem item;
    item.id = static_cast<int32_t>(reader.unsigned_field(4));
    item.control_class = static_cast<ControlClass>(reader.unsigned_field(1) % kControlClassCount);
    item.style = reader.unsigned_field(4);
    item.x = reader.short_field();
    item.y = reader.short_field();
    item.width = reader.short_field();
    item.height = reader.short_field();
    item.text = decoded.texts.emplace_back(reader.text());
    decoded.items.push_back(item);
  }
  return decoded;
}

std::string encode_dialog_template(const DialogTemplate& dialog) {
  std::string bytes;
  const DialogHeader& header = dialog.header;
  put(bytes, header.style, 4);
  for (int16_t value : {header.x, header.y, header.width, header.height, header.font_points})
    put(bytes, static_cast<uint16_t>(value), 2);
  put(bytes, header.language, 2);
  put_text(bytes, header.caption);
  put_text(bytes, header.font_face);
  put(bytes, static_cast<uint32_t>(std::min<size_t>(dialog.items.size(), 255)), 1);
  for (const DialogItem& item : dialog.items.first(std::min<size_t>(dialog.items.size(), 255))) {
    put(bytes, static_cast<uint32_t>(item.id), 4);
    put(bytes, static_cast<uint32_t>(item.control_class), 1);
    put(bytes, item.style, 4);
    for (int16_t value : {item.x, item.y, item.width, item.height})
      put(bytes, static_cast<uint16_t>(value), 2);
    put_text(bytes, item.text);
  }
  return bytes;
}

}  // namespace zorikan::fuzz
