// The results chart's state; see chart_state.h.
#include "chart/chart_state.h"

namespace zorikan {

ChartState chart_state;

}  // namespace zorikan
