// Formatted text conversion: the edit descriptors' output and input rules and the line engine.
#include "common/text_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "common/cp1251.h"

namespace zorikan {
namespace {

// Digits after the point of the exact decimal expansion of any float: the smallest, 2^-149, has 149.
constexpr int kExactFloatDecimals = 150;

std::string describe(const EditDescriptor& item) {
  std::string text = item.kind == EditKind::kReal ? "F" : "I";
  text += std::to_string(item.width);
  if (item.kind == EditKind::kReal || item.has_min_digits) text += "." + std::to_string(item.digits);
  return text;
}

std::string justify(const std::string& text, size_t width) {
  if (text.size() > width) return std::string(width, '*');
  return std::string(width - text.size(), ' ') + text;
}

std::string integer_field(int32_t value, const EditDescriptor& item) {
  if (value == 0 && item.digits == 0) return std::string(item.width, ' ');
  const uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  std::string digits = std::to_string(magnitude);
  if (digits.size() < item.digits) digits.insert(0, item.digits - digits.size(), '0');
  return justify(value < 0 ? "-" + digits : digits, item.width);
}

std::string real_field(float value, const EditDescriptor& item) {
  if (std::isnan(value)) return justify("NaN", item.width);
  if (std::isinf(value)) return justify(value < 0 ? "-Inf" : "Inf", item.width);

  // The exact expansion of the float (no rounding yet), so that the one rounding below is the only
  // one and ties are true ties of the stored value.
  std::array<char, 256> exact;
  const double magnitude = std::fabs(static_cast<double>(value));
  const auto converted = std::to_chars(exact.data(), exact.data() + exact.size(), magnitude,
                                       std::chars_format::fixed, kExactFloatDecimals);
  const std::string_view expansion(exact.data(), static_cast<size_t>(converted.ptr - exact.data()));
  const size_t point = expansion.find('.');
  const std::string_view fraction = expansion.substr(point + 1);
  const size_t decimals = item.digits;

  std::string digits(expansion.substr(0, point));
  for (size_t k = 0; k < decimals; ++k) digits += k < fraction.size() ? fraction[k] : '0';
  // Halves away from zero: on the magnitude that is simply "round up from 5".
  if (decimals < fraction.size() && fraction[decimals] >= '5') {
    size_t k = digits.size();
    while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
    if (k == 0) {
      digits.insert(digits.begin(), '1');
    } else {
      ++digits[k - 1];
    }
  }
  const size_t integer_length = digits.size() - decimals;
  size_t first = 0;
  while (first < integer_length && digits[first] == '0') ++first;
  const bool is_zero = std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
  const std::string sign = std::signbit(value) && !is_zero ? "-" : "";
  const std::string integer = digits.substr(first, integer_length - first);
  const std::string after_point = "." + digits.substr(integer_length);
  if (integer.empty() && sign.size() + 1 + after_point.size() <= item.width) {
    return justify(sign + "0" + after_point, item.width);
  }
  return justify(sign + integer + after_point, item.width);
}

enum class FieldError { kNone, kNotANumber, kOutOfRange };

// The field's characters without its blanks, which input ignores wherever they stand.
std::string_view without_blanks(std::string_view field, std::array<char, kMaxFieldWidth>& buffer) {
  size_t length = 0;
  for (char c : field) {
    if (c != ' ') buffer[length++] = c;
  }
  return {buffer.data(), length};
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

FieldError read_integer(std::string_view field, int32_t& value) {
  std::array<char, kMaxFieldWidth> buffer;
  const std::string_view text = without_blanks(field, buffer);
  if (text.empty()) {
    value = 0;
    return FieldError::kNone;
  }
  size_t pos = 0;
  const bool negative = text[0] == '-';
  if (text[0] == '+' || text[0] == '-') ++pos;
  if (pos == text.size()) return FieldError::kNotANumber;
  int64_t magnitude = 0;
  for (; pos < text.size(); ++pos) {
    if (!is_digit(text[pos])) return FieldError::kNotANumber;
    magnitude = std::min<int64_t>(magnitude * 10 + (text[pos] - '0'), int64_t{1} << 40);
  }
  const int64_t signed_value = negative ? -magnitude : magnitude;
  if (signed_value < INT32_MIN || signed_value > INT32_MAX) return FieldError::kOutOfRange;
  value = static_cast<int32_t>(signed_value);
  return FieldError::kNone;
}

bool equals_ignoring_case(std::string_view text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
    if (c != upper[i]) return false;
  }
  return true;
}

FieldError read_real(std::string_view field, int32_t implied_decimals, float& value) {
  std::array<char, kMaxFieldWidth> buffer;
  const std::string_view text = without_blanks(field, buffer);
  if (text.empty()) {
    value = 0.0f;
    return FieldError::kNone;
  }
  size_t pos = 0;
  const bool negative = text[0] == '-';
  if (text[0] == '+' || text[0] == '-') ++pos;
  const std::string_view word = text.substr(pos);
  if (equals_ignoring_case(word, "NAN")) {
    value = negative ? -NAN : NAN;
    return FieldError::kNone;
  }
  if (equals_ignoring_case(word, "INF") || equals_ignoring_case(word, "INFINITY")) {
    value = negative ? -INFINITY : INFINITY;
    return FieldError::kNone;
  }

  // Mantissa digits without the point, and the power of ten that scales them.
  std::string mantissa;
  int64_t scale = 0;
  bool has_point = false;
  for (; pos < text.size(); ++pos) {
    if (is_digit(text[pos])) {
      mantissa += text[pos];
      if (has_point) --scale;
    } else if (text[pos] == '.' && !has_point) {
      has_point = true;
    } else {
      break;
    }
  }
  if (mantissa.empty()) return FieldError::kNotANumber;
  if (!has_point) scale -= implied_decimals;
  if (pos < text.size()) {
    const char c = text[pos];
    if (c == 'E' || c == 'e' || c == 'D' || c == 'd')
      ++pos;
    else if (c != '+' && c != '-')
      return FieldError::kNotANumber;
    bool exponent_negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) exponent_negative = text[pos++] == '-';
    if (pos == text.size()) return FieldError::kNotANumber;
    int64_t exponent = 0;
    for (; pos < text.size(); ++pos) {
      if (!is_digit(text[pos])) return FieldError::kNotANumber;
      exponent = std::min<int64_t>(exponent * 10 + (text[pos] - '0'), 1000000);
    }
    scale += exponent_negative ? -exponent : exponent;
  }

  const size_t first = mantissa.find_first_not_of('0');
  if (first == std::string::npos) {
    value = negative ? -0.0f : 0.0f;
    return FieldError::kNone;
  }
  mantissa.erase(0, first);
  // The decimal exponent of the leading digit decides overflow and underflow before any parsing.
  const int64_t leading_power = static_cast<int64_t>(mantissa.size()) - 1 + scale;
  if (leading_power > 38) return FieldError::kOutOfRange;
  if (leading_power < -46) {
    value = negative ? -0.0f : 0.0f;
    return FieldError::kNone;
  }
  const std::string number = mantissa + "e" + std::to_string(scale);
  float parsed = 0.0f;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), parsed);
  if (result.ec == std::errc::result_out_of_range) {
    if (leading_power > 0) return FieldError::kOutOfRange;
    parsed = 0.0f;  // below the smallest subnormal
  } else if (result.ec != std::errc() || std::isinf(parsed)) {
    return FieldError::kOutOfRange;
  }
  value = negative ? -parsed : parsed;
  return FieldError::kNone;
}

std::string quoted_field(std::string_view field) {
  const size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return "\"\"";
  const size_t last = field.find_last_not_of(' ');
  return "\"" + cp1251_to_utf8(field.substr(first, last - first + 1)) + "\"";
}

RecordFailure field_failure(IoStatus status, size_t column, size_t width, std::string what) {
  return {status, static_cast<int32_t>(column + 1), static_cast<int32_t>(column + width), std::move(what)};
}

RecordFailure values_without_descriptors(size_t count) {
  return {IoStatus::kMismatch, 0, 0,
          std::to_string(count) + (count == 1 ? " value" : " values") +
              " for a format without I or F descriptors"};
}

// Writes `text` at the 0-based column, blank-filling any gap before it.
void place(std::string& line, size_t column, std::string_view text) {
  if (line.size() < column + text.size()) line.resize(column + text.size(), ' ');
  line.replace(column, text.size(), text);
}

}  // namespace

std::string describe_columns(int32_t first_column, int32_t last_column) {
  if (first_column == last_column) return "column " + std::to_string(first_column);
  return "columns " + std::to_string(first_column) + "-" + std::to_string(last_column);
}

RecordFailure write_records(const Format& format, OutputList values, const RecordSink& sink) {
  if (values.size() > 0 && !format.takes_values()) return values_without_descriptors(values.size());
  const std::span<const EditDescriptor> items = format.descriptors();
  std::vector<std::string> lines(1);
  size_t column = 0;
  size_t next_value = 0;
  bool values_done = false;
  for (size_t i = 0; !values_done;) {
    if (i == items.size()) {
      if (next_value == values.size()) break;
      lines.emplace_back();  // reversion: the format starts again on a new line
      column = 0;
      i = 0;
      continue;
    }
    const EditDescriptor& item = items[i++];
    switch (item.kind) {
      case EditKind::kInteger:
      case EditKind::kReal:
        for (size_t r = 0; r < item.repeat; ++r) {
          if (next_value == values.size()) {
            values_done = true;
            break;
          }
          const OutputValue value = values[next_value++];
          std::string field;
          if (item.kind == EditKind::kInteger && std::holds_alternative<int32_t>(value)) {
            field = integer_field(std::get<int32_t>(value), item);
          } else if (item.kind == EditKind::kReal && std::holds_alternative<float>(value)) {
            field = real_field(std::get<float>(value), item);
          } else {
            return field_failure(IoStatus::kMismatch, column, item.width,
                                 describe(item) + (item.kind == EditKind::kInteger
                                                       ? " needs an integer, the value is a real"
                                                       : " needs a real, the value is an integer"));
          }
          place(lines.back(), column, field);
          column += item.width;
        }
        break;
      case EditKind::kSkip:
        column += item.width;
        break;
      case EditKind::kLiteral:
        place(lines.back(), column, format.literal(item));
        column += item.width;
        break;
      case EditKind::kNewLine:
        for (size_t r = 0; r < item.repeat; ++r) lines.emplace_back();
        column = 0;
        break;
    }
  }
  for (const std::string& line : lines) sink(line);
  return {};
}

RecordFailure read_records(const Format& format, InputList targets, const RecordSource& source) {
  std::string_view line;
  if (const IoStatus status = source(line); status != IoStatus::kOk) return {status, 0, 0, {}};
  if (targets.size() > 0 && !format.takes_values()) return values_without_descriptors(targets.size());
  const std::span<const EditDescriptor> items = format.descriptors();
  size_t column = 0;
  size_t next_target = 0;
  for (size_t i = 0;;) {
    if (i == items.size()) {
      if (next_target == targets.size()) return {};
      if (const IoStatus status = source(line); status != IoStatus::kOk) return {status, 0, 0, {}};
      column = 0;
      i = 0;
      continue;
    }
    const EditDescriptor& item = items[i++];
    switch (item.kind) {
      case EditKind::kInteger:
      case EditKind::kReal:
        for (size_t r = 0; r < item.repeat; ++r) {
          if (next_target == targets.size()) return {};
          const InputTarget target = targets[next_target++];
          const std::string_view field = column < line.size() ? line.substr(column, item.width) : "";
          FieldError error = FieldError::kNone;
          const char* kind_name = "";
          if (item.kind == EditKind::kInteger && std::holds_alternative<int32_t*>(target)) {
            error = read_integer(field, *std::get<int32_t*>(target));
            kind_name = "an integer";
          } else if (item.kind == EditKind::kReal && std::holds_alternative<float*>(target)) {
            error = read_real(field, item.digits, *std::get<float*>(target));
            kind_name = "a real number";
          } else {
            return field_failure(
                IoStatus::kMismatch, column, item.width,
                describe(item) + (item.kind == EditKind::kInteger
                                      ? " needs an integer variable, the variable is a real"
                                      : " needs a real variable, the variable is an integer"));
          }
          if (error == FieldError::kNotANumber) {
            return field_failure(IoStatus::kBadField, column, item.width,
                                 quoted_field(field) + " is not " + kind_name);
          }
          if (error == FieldError::kOutOfRange) {
            return field_failure(IoStatus::kBadField, column, item.width,
                                 quoted_field(field) + " is too large for " + kind_name);
          }
          column += item.width;
        }
        break;
      case EditKind::kSkip:
      case EditKind::kLiteral:
        column += item.width;
        break;
      case EditKind::kNewLine:
        for (size_t r = 0; r < item.repeat; ++r) {
          if (const IoStatus status = source(line); status != IoStatus::kOk) return {status, 0, 0, {}};
        }
        column = 0;
        break;
    }
  }
}

IoResult format_to_text(std::span<char> text, const Format& format, OutputList values, ErrorExit exit) {
  std::string first_line;
  size_t line_count = 0;
  RecordFailure failure = write_records(format, values, [&](std::string_view line) {
    if (line_count++ == 0) first_line = line;
  });
  const std::string target = "text of " + std::to_string(text.size()) + " characters";
  IoResult result;
  if (!failure.ok()) {
    result.status = failure.status;
    result.report = target;
    if (failure.first_column > 0)
      result.report += ", " + describe_columns(failure.first_column, failure.last_column);
    result.report += ": " + failure.what;
  } else if (line_count > 1) {
    result = {IoStatus::kOutputTooLong,
              target + ": the output needs " + std::to_string(line_count) + " lines"};
  } else if (first_line.size() > text.size()) {
    result = {IoStatus::kOutputTooLong, target + ": the output \"" + cp1251_to_utf8(first_line) + "\" is " +
                                            std::to_string(first_line.size()) + " characters long"};
  } else {
    std::fill(std::copy(first_line.begin(), first_line.end(), text.begin()), text.end(), ' ');
  }
  return apply_error_exit(std::move(result), exit);
}

IoResult parse_text(std::string_view text, const Format& format, InputList targets, ErrorExit exit) {
  bool line_given = false;
  const RecordFailure failure = read_records(format, targets, [&](std::string_view& line) {
    if (line_given) return IoStatus::kEndOfFile;
    line_given = true;
    line = text;
    return IoStatus::kOk;
  });
  if (failure.ok()) return {};
  const size_t last = text.find_last_not_of(' ');
  std::string report =
      "text \"" + cp1251_to_utf8(text.substr(0, last == std::string_view::npos ? 0 : last + 1)) + "\"";
  if (failure.status == IoStatus::kEndOfFile) {
    report += ": the format reads past the end of the text";
  } else {
    if (failure.first_column > 0)
      report += ", " + describe_columns(failure.first_column, failure.last_column);
    report += ": " + failure.what;
  }
  return apply_error_exit({failure.status, std::move(report)}, exit);
}

}  // namespace zorikan
