// Fuzz target: a format text parsed at run time, then lines read through it as a file's lines are,
// and the values read written back through it.
//
// Input: one byte, the number of values the read asks for (0 to 255); the format text (UTF-8) up to the
// first line feed; the lines to read, each ended by a line feed (a carriage return before it stays).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

#include "common/format.h"
#include "common/text_format.h"
#include "fuzz/fuzz_support.h"

namespace zorikan {
namespace {

// Integer and real targets in the order of the format's value descriptors, repeated as the format
// is: the read then fills them without a mismatch.
void targets_for(const Format& format, size_t count, std::vector<int32_t>& integers,
                 std::vector<float>& reals, std::vector<InputTarget>& targets) {
  std::vector<EditKind> kinds;
  for (const EditDescriptor& item : format.descriptors()) {
    if (item.kind != EditKind::kInteger && item.kind != EditKind::kReal) continue;
    for (uint32_t r = 0; r < item.repeat && kinds.size() < count; ++r) kinds.push_back(item.kind);
  }
  integers.assign(count, 0);
  reals.assign(count, 0);
  for (size_t i = 0; i < count && !kinds.empty(); ++i) {
    if (kinds[i % kinds.size()] == EditKind::kInteger) {
      targets.emplace_back(&integers[i]);
    } else {
      targets.emplace_back(&reals[i]);
    }
  }
}

std::vector<OutputValue> values_of(const std::vector<InputTarget>& targets) {
  std::vector<OutputValue> values;
  for (const InputTarget& target : targets) {
    std::visit([&](auto* variable) { values.emplace_back(*variable); }, target);
  }
  return values;
}

}  // namespace
}  // namespace zorikan

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorikan;
  if (size == 0) return 0;
  const size_t count = data[0];
  const std::string_view input = fuzz::as_text(data + 1, size - 1);
  const size_t format_end = input.find('\n');
  const FormatParse parse = try_parse_format(input.substr(0, format_end));
  if (parse.error != nullptr || format_end == std::string_view::npos) return 0;
  std::string_view lines = input.substr(format_end + 1);

  std::vector<int32_t> integers;
  std::vector<float> reals;
  std::vector<InputTarget> targets;
  targets_for(parse.format, count, integers, reals, targets);

  parse_text(lines.substr(0, lines.find('\n')), parse.format, targets, ErrorExit::kReturn);
  const RecordSource source = [&lines](std::string_view& line) {
    if (lines.empty()) return IoStatus::kEndOfFile;
    const size_t end = lines.find('\n');
    line = lines.substr(0, end);
    lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
    return IoStatus::kOk;
  };
  read_records(parse.format, targets, source);

  const std::vector<OutputValue> values = values_of(targets);
  std::array<char, 256> text;
  format_to_text(text, parse.format, values, ErrorExit::kReturn);
  write_records(parse.format, values, [](std::string_view) {});
  return 0;
}
