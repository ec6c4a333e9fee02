// The results chart: the whole history of zorikan.rtr drawn in window unit 1.
#pragma once

namespace zorikan {

// Draws the chart, waits for a mouse click and returns. Program thread.
void show_results_chart();

// The drawing part of show_results_chart: window 1 cleared to white, both passes over zorikan.rtr with
// the frames, scales, stamps and the note on a line that stopped them, or the line that says the log
// holds no record yet; no prompt, no wait. Program thread.
void draw_results_chart();

}  // namespace zorikan
