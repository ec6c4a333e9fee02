// The results chart's state; see chart_state.h.
#include "chart/chart_state.h"

namespace zorikan {

ChartState chart_state;

void note_pass_stop(int32_t line, StopReason reason) {
  PassStop& stop = chart_state.stop;
  if (stop.line == 0 || line < stop.line) stop = {line, reason};
}

}  // namespace zorikan
