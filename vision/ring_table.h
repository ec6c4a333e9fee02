// The ring table: for a set-up, how faithfully the ring of each ladder level shows its size, measured back
// from the rendered image. `zorikan --ring-table` prints it for the saved parameters
// (app/saved_ring_table.h).
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "services/session_params.h"

namespace zorikan {

struct RingTableLine {
  float acuity = 0;
  double gap_asked = 0;      // pixels: the gap width of the level at the set-up
  double gap_measured = 0;   // pixels, the placement whose gap errs most
  double area_asked = 0;     // square pixels: the ideal figure's black area
  double area_measured = 0;  // square pixels, the placement whose area errs most
};

// One line per presented ladder level (0.1 ... 2.0), each level rendered at its six placements (two
// sides, three tilts) in the program's 980 x 650 graphics window.
std::vector<RingTableLine> ring_table(const SessionParams& params);

// Prints the table for `params` to `out`: a heading naming the set-up, the levels beyond it (and, where
// 2.0 needs a longer distance than the parameters take, that this screen cannot measure it) and the levels
// whose rings do not fit the window (with the distance from which 0.1's does), then one line per level,
// those beyond the set-up marked "beyond", those drawn clipped "clipped".
void print_ring_table(const SessionParams& params, std::FILE* out);

}  // namespace zorikan
