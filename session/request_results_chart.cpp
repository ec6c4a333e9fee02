// The menu routine of "Итоги_тренировок"; see request_results_chart.h.
#include "session/request_results_chart.h"

#include "services/shared_words.h"

namespace zorikan {

void request_results_chart() {
  mode_request = kResultsChartRequest;
}

}  // namespace zorikan
