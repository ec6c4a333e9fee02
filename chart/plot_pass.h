// The chart's second pass over the results log: a bar and a segment per vision check in frame 1, a
// bar and four curve segments per training run in frame 2.
#pragma once

namespace zorikan {

// Reads zorikan.rtr again and plots each record at its time from range_start, in window 1. Ends at
// the first line whose date does not read or is no calendar date, that is blank, or that is of a known
// kind whose values do not read (each noted in chart_state.stop). Lines of other kinds are counted, not
// plotted.
void run_plot_pass();

}  // namespace zorikan
