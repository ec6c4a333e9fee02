// A number typed into a box of the parameter dialog, read as the dialog reads its boxes back: the box's
// first 10 characters (the text buffer every number passes through), blanks ignored (an empty box is
// 0), a real without implied decimals ("65" is 65.0). Text that is not a number, NaN and the
// infinities give none.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zorikan {

std::optional<float> typed_real(std::string_view text);
std::optional<int32_t> typed_integer(std::string_view text);

}  // namespace zorikan
