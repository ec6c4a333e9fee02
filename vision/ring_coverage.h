// How much of one window pixel the black part of a gap ring covers, computed exactly from the figure:
// the ring is the outer disc less the inner disc, less the gap strip, so the covered area is that of the
// pixel's square within the ring, less that of the square's part inside the strip within the ring. The
// area of a convex polygon within a disc is the sum, over its edges, of the signed areas of the triangles
// (centre, edge) within the disc: a triangle where the edge runs inside, a sector where it runs outside.
#pragma once

#include <cstdint>

#include "vision/gap_ring.h"

namespace zorikan {

// The part, 0 to 1, of window pixel (i, j) (the square [i, i + 1] x [j, j + 1]) that the black part of
// `figure` covers. Squares wholly inside or outside every edge of the figure cost a few comparisons.
double black_coverage(const RingFigure& figure, int32_t i, int32_t j);

// The part, 0 to 1, of window pixel (i, j) on the gap's side of the line through the centre across the
// gap's axis: the pixel's share in the gap's half of the figure.
double gap_half_share(const RingFigure& figure, int32_t i, int32_t j);

}  // namespace zorikan
