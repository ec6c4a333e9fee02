// The results chart: the whole history of zorikan.rtr drawn in window unit 1.
#pragma once

namespace zorikan {

// Draws the chart, waits for a mouse click and returns. Program thread.
void show_results_chart();

}  // namespace zorikan
