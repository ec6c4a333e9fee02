// The positions of a plot grid, walked one pixel line at a time.
//
// A grid's positions are v0 = first and v(k+1) = v(k) + step added in 4-byte reals, `count` of them.
// Where they lie closer than a pixel, many fall on one pixel column (row) and only the first of each
// is drawn. Adding them one by one costs a step per position: millions for a log whose dates lie
// centuries apart. The walk visits the first position of every pixel line and jumps the others, with
// the very 4-byte values the additions one by one give:
// - the next pixel line begins at the smallest 4-byte value whose pixel index differs, found by
//   bisection over the 4-byte values in their order (the index must be monotone in the position);
// - inside one binade [2^e, 2^(e+1)) every value is a multiple of the binade's unit, so adding the step
//   rounds to the same increment each time once two successive additions gave the same one (with a
//   tie the first rounding may differ, after it the sums are even); n additions are then one
//   multiplication, as long as the sums stay inside the binade.
#pragma once

#include <cstdint>
#include <limits>

namespace zorikan {

namespace grid_walk {

// 4-byte values as integers in their numeric order (-0 and +0 alike), and back; +infinity follows
// the largest finite value.
int64_t order_key(float v);
float from_order_key(int64_t key);

// Adds `step` (> 0) to `v` until v >= target or `additions` are used up, counting them off `additions`;
// the result is that of the additions one by one.
void advance(float& v, float step, int64_t& additions, float target);

}  // namespace grid_walk

// Whether a pixel index can be trusted to be monotone in the position (see walk_grid_lines).
enum class GridIndexOrder { kMonotone, kUnknown };

// Calls visit(v) for each position v of the grid whose pixel index(v) differs from that of the
// position visited before. With kMonotone, index must be monotone (either way) over every 4-byte value
// from `first` up to +infinity, and first and step finite with step > 0: the walk then jumps the
// positions inside a pixel line. Otherwise every position is looked at in turn.
template <class Index, class Visit>
void walk_grid_lines(float first, float step, int64_t count, GridIndexOrder order, Index index, Visit visit) {
  float v = first;
  if (order == GridIndexOrder::kUnknown) {
    bool visited = false;
    int32_t last = 0;
    for (; count > 0; --count, v += step) {
      const int32_t here = index(v);
      if (visited && here == last) continue;
      visit(v);
      visited = true;
      last = here;
    }
    return;
  }
  while (count > 0) {
    const int32_t here = index(v);
    visit(v);
    // The smallest value above v with another index, by bisection over (v, +infinity].
    int64_t low = grid_walk::order_key(v);
    int64_t high = grid_walk::order_key(std::numeric_limits<float>::infinity());
    if (index(grid_walk::from_order_key(high)) == here) return;
    while (high - low > 1) {
      const int64_t middle = low + (high - low) / 2;
      (index(grid_walk::from_order_key(middle)) == here ? low : high) = middle;
    }
    int64_t additions = count - 1;
    grid_walk::advance(v, step, additions, grid_walk::from_order_key(high));
    if (index(v) == here) return;
    count = additions + 1;
  }
}

}  // namespace zorikan
