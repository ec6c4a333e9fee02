// Numbers typed into the parameter dialog; see typed_number.h.
#include "session/typed_number.h"

#include <cmath>

#include "common/format.h"
#include "common/text_format.h"

namespace zorikan {
namespace {

constexpr size_t kTypedColumns = 10;
constexpr Format kRealTyped = parse_format("(F10.0)");
constexpr Format kIntegerTyped = parse_format("(I10)");

std::string_view first_columns(std::string_view text) {
  return text.substr(0, kTypedColumns);
}

}  // namespace

std::optional<float> typed_real(std::string_view text) {
  float value = 0;
  if (!parse_text(first_columns(text), kRealTyped, {&value}, ErrorExit::kReturn).ok()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int32_t> typed_integer(std::string_view text) {
  int32_t value = 0;
  if (!parse_text(first_columns(text), kIntegerTyped, {&value}, ErrorExit::kReturn).ok()) return std::nullopt;
  return value;
}

}  // namespace zorikan
