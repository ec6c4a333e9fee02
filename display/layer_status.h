// The per-thread status of the last drawing or text operation. Nothing in the program reads it; tests
// and the layer's own diagnostics do.
#pragma once

#include <cstdint>

namespace zorikan::display {

inline constexpr int32_t kStatusOk = 0;
inline constexpr int32_t kStatusNothingDrawn = 1;
inline constexpr int32_t kStatusClipped = 2;
inline constexpr int32_t kStatusCorrected = 3;
inline constexpr int32_t kStatusFailure = -1;
inline constexpr int32_t kStatusBadArgument = -4;
inline constexpr int32_t kStatusOutOfMemory = -8;

void record_status(int32_t status);
int32_t layer_status();

}  // namespace zorikan::display
