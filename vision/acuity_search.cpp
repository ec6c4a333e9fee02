// The bisection over the acuity ladder; see acuity_search.h.
#include "vision/acuity_search.h"

namespace zorikan {

int32_t take_verdict(AcuitySearch& search, bool passed) {
  if (passed) {
    if (search.mid >= search.hi - 1) return search.mid;
    search.lo = search.mid;
  } else {
    if (search.mid <= search.lo + 1) return search.lo;
    search.hi = search.mid;
  }
  search.mid = search.lo + (search.hi - search.lo) / 2;
  return 0;
}

}  // namespace zorikan
