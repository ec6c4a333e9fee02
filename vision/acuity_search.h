// The bisection over the acuity ladder: which level to probe next, and when the search is over.
#pragma once

#include <cstdint>

namespace zorikan {

// Ladder indices (see acuity_ladder.h): the best level known passed (lo), the lowest known failed or
// the bound (hi), and the level being probed (mid).
struct AcuitySearch {
  int32_t lo = 1;
  int32_t hi = 15;
  int32_t mid = 2;
};

// Takes the verdict on level `search.mid`. Returns the ladder index of the result when the search is
// over; otherwise moves `search` to the next probe and returns 0. At most five levels are probed.
int32_t take_verdict(AcuitySearch& search, bool passed);

}  // namespace zorikan
