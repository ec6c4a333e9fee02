// The chart's first pass over the results log: the range of days it covers, the stamps of the records
// that open and close it, and whether an acuity above 1 is among them.
#pragma once

namespace zorikan {

// Reads zorikan.rtr from the working directory, records and all, into chart_state: record_count, the
// range from the start of the earliest day to the end of the latest (ties keep the first record in the
// file), both stamps, and acuity_above_one. Reading ends at the first line whose date does not read or
// is no calendar date, or that is blank (noted in chart_state.stop); a vision check whose values do not
// read is counted in the range and leaves the scale alone (the plot pass stops there). A log without a
// header line leaves the range as it was, one with a header but no records adds one day to its end.
// False when the log cannot be opened.
bool run_range_pass();

}  // namespace zorikan
