// Where the start screen's sweep over pattern sizes stands: the current pattern size and the bounds
// of the current sweep direction. Program thread only.
//
// The sizes shown run 2, 3 ... 9, 8 ... 2, 3 ... 9 ...: each end value once per turn. A restart for an
// activity resumes at the first size of the current direction.
#pragma once

#include <cstdint>

namespace zorikan {

inline constexpr int32_t kSmallestPatternSize = 2;
inline constexpr int32_t kLargestPatternSize = 9;

struct SweepBounds {
  int32_t first = kSmallestPatternSize;
  int32_t last = kLargestPatternSize;
  int32_t step = +1;
};

// The pattern size a left click starts a training run at: the size whose glyph was last drawn
// (a click taken while the grating of the next size is built still gets the previous size).
extern int32_t current_size;
extern SweepBounds sweep_bounds;

// The bounds of the direction after `bounds`: 8 down to 2 after an upward sweep, 3 up to 9 after a
// downward one.
constexpr SweepBounds reversed(const SweepBounds& bounds) {
  return bounds.step > 0 ? SweepBounds{kLargestPatternSize - 1, kSmallestPatternSize, -1}
                         : SweepBounds{kSmallestPatternSize + 1, kLargestPatternSize, +1};
}

}  // namespace zorikan
