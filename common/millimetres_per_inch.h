// Millimetres per inch: display diagonals are typed in inches, the ring and the card are measured in
// millimetres.
#pragma once

namespace zorikan {

inline constexpr double kMillimetresPerInch = 25.4;

}  // namespace zorikan
