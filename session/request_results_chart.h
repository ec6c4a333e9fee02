// The menu routine of "Итоги_тренировок": asks the main loop for the results chart.
#pragma once

namespace zorikan {

// Called on the window thread: sets mode_request to 3. The main loop serves it at its next
// checkpoint; a training run or vision check awaiting an answer returns early when it sees it.
void request_results_chart();

}  // namespace zorikan
