// A ladder level as the user reads it: 0.1 ... 1.0 and 2.0 with one decimal, 1.25 with two.
#pragma once

#include <string>

namespace zorikan {

std::string level_text(float level);

}  // namespace zorikan
