// The chart's time grid; see day_grid.h.
//
// Weeks, months and years fall on calendar days (day numbers from 1900-01-01, a Monday), so their lines
// are found by walking the calendar over the frame's days; there are never more of them to look at
// than the frame has columns over kLeastGridSpacing, plus the first one that stands too close.
#include "chart/day_grid.h"

#include <cmath>

#include "calendar/calendar_date.h"
#include "chart/draw_axes.h"
#include "chart/plot_frames.h"
#include "chart/plot_move_draw.h"
#include "chart/select_line_kind.h"
#include "chart/world_to_pixel.h"

namespace zorikan {
namespace {

int32_t next_year(int32_t year) {
  return year == -1 ? 1 : year + 1;  // there is no year 0
}

int32_t previous_year(int32_t year) {
  return year == 1 ? -1 : year - 1;
}

// The year that holds day `day`.
int32_t year_of_day(int64_t day) {
  auto year = static_cast<int32_t>(std::floor(1900 + static_cast<double>(day) / 365.25));
  if (year == 0) year = 1;
  while (day_count(1, 1, year) > day) year = previous_year(year);
  while (day_count(1, 1, next_year(year)) <= day) year = next_year(year);
  return year;
}

// Calls line(d) for the days d of the grid's lines from `first` to `last`, in order, while it returns
// true.
template <class Line>
void for_each_line_day(TimeGrid grid, int64_t first, int64_t last, Line line) {
  if (grid == TimeGrid::kWeeks) {
    for (int64_t d = first + ((-first) % 7 + 7) % 7; d <= last; d += 7)
      if (!line(d)) return;
    return;
  }
  const int32_t months = grid == TimeGrid::kMonths ? 12 : 1;
  for (int32_t year = year_of_day(first);; year = next_year(year)) {
    for (int32_t month = 1; month <= months; ++month) {
      const int64_t d = day_count(1, month, year);
      if (d > last) return;
      if (d >= first && !line(d)) return;
    }
  }
}

struct FrameDays {
  int32_t w;
  int32_t f;
  int64_t first_day;
  int64_t last_day;  // the day whose start is the world box's x-max, or the one before
  int32_t left;      // the frame's edge columns
  int32_t right;
};

FrameDays frame_days(int32_t w, int32_t f, int64_t first_day) {
  const PlotFrame& frame = plot_frame(w, f);
  const auto days = static_cast<int64_t>(std::floor(double{frame.world_x_max} / kSecondsPerDay));
  int32_t left = 0;
  int32_t right = 0;
  int32_t row = 0;
  world_to_pixel(w, f, frame.world_x_min, 0, left, row);
  world_to_pixel(w, f, frame.world_x_max, 0, right, row);
  return {w, f, first_day, first_day + days, left, right};
}

float world_x_of_day(const FrameDays& frame, int64_t day) {
  return static_cast<float>(static_cast<double>(day - frame.first_day) * kSecondsPerDay);
}

// Calls line(x, column) for the grid's lines that keep kLeastGridSpacing from the frame's edges, while
// it returns true.
template <class Line>
void for_each_inner_line(const FrameDays& frame, TimeGrid grid, Line line) {
  for_each_line_day(grid, frame.first_day, frame.last_day, [&](int64_t day) {
    const float x = world_x_of_day(frame, day);
    int32_t column = 0;
    int32_t row = 0;
    world_to_pixel(frame.w, frame.f, x, 0, column, row);
    const bool inner = column - frame.left >= kLeastGridSpacing && frame.right - column >= kLeastGridSpacing;
    return !inner || line(x, column);
  });
}

bool lines_stand_apart(const FrameDays& frame, TimeGrid grid) {
  bool apart = true;
  int32_t previous = frame.left;  // inner lines keep their distance from it
  for_each_inner_line(frame, grid, [&](float, int32_t column) {
    apart = column - previous >= kLeastGridSpacing;
    previous = column;
    return apart;
  });
  return apart;
}

}  // namespace

TimeGrid choose_time_grid(int32_t w, int32_t f, int64_t first_day) {
  const PlotFrame& frame = plot_frame(w, f);
  // Day lines stand pixel_width x 86400 / width apart; an empty box is left to draw_axes.
  const double width = double{frame.world_x_max} - double{frame.world_x_min};
  if (!(width > 0) || kSecondsPerDay * frame.pixel_width >= kLeastGridSpacing * width) return TimeGrid::kDays;
  const FrameDays days = frame_days(w, f, first_day);
  for (const TimeGrid grid : {TimeGrid::kWeeks, TimeGrid::kMonths, TimeGrid::kYears}) {
    if (lines_stand_apart(days, grid)) return grid;
  }
  return TimeGrid::kNone;
}

void draw_time_axes(int32_t w, int32_t f, int64_t first_day, float y_step) {
  const TimeGrid grid = choose_time_grid(w, f, first_day);
  if (grid == TimeGrid::kDays) {
    draw_axes(w, f, static_cast<float>(kSecondsPerDay), y_step);
    return;
  }
  if (grid != TimeGrid::kNone) {
    const PlotFrame& frame = plot_frame(w, f);
    select_line_kind(kGridLine);
    for_each_inner_line(frame_days(w, f, first_day), grid, [&](float x, int32_t) {
      plot_vertical_line(w, f, x, frame.world_y_min, frame.world_y_max);
      return true;
    });
  }
  draw_axes(w, f, 0, y_step);
}

}  // namespace zorikan
