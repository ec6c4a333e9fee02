// The colour of each curve of the results chart, as an entry of the colour table: the curve (plot_pass)
// and its scale mark and title (chart_texts) are drawn in it.
#pragma once

#include <cstdint>

#include "services/color_table.h"

namespace zorikan {

inline constexpr int32_t kAcuityColor = kBlueEntry;
inline constexpr int32_t kImagesColor = kGreenEntry;
inline constexpr int32_t kDistanceColor = kMagentaEntry;
inline constexpr int32_t kSizeColor = kBlueEntry;
inline constexpr int32_t kMeanTimeColor = kAmberEntry;
inline constexpr int32_t kPushupsColor = kPinkEntry;

}  // namespace zorikan
