// The chart's time grid: dotted vertical lines at day boundaries, thinned to weeks, months or years
// where days would crowd the frame.
#pragma once

#include <cstdint>

namespace zorikan {

// Lines closer than this, in pixels, no longer read as separate lines: a day line in every column of
// three years of history turns the frame into a uniform texture.
inline constexpr int32_t kLeastGridSpacing = 4;

enum class TimeGrid {
  kDays,    // every day boundary, from the world box's x-min in steps of 86,400 s (4-byte sums)
  kWeeks,   // every Monday
  kMonths,  // every 1st of a month
  kYears,   // every 1 January
  kNone,    // even years would crowd: no vertical lines
};

// The first grid of days, weeks, months and years whose lines stand at least kLeastGridSpacing pixels
// apart in frame f of window w, whose world x runs in seconds from the start of day `first_day` (days
// from 1900-01-01). Lines within that distance of the frame's edges are left out and do not count.
TimeGrid choose_time_grid(int32_t w, int32_t f, int64_t first_day);

// Draws frame f's grid and border as draw_axes(w, f, 86400, y_step) does, with the vertical lines of
// choose_time_grid instead of a line at every day where those would crowd.
void draw_time_axes(int32_t w, int32_t f, int64_t first_day, float y_step);

}  // namespace zorikan
