// The ring table; see ring_table.h.
#include "vision/ring_table.h"

#include <cmath>

#include "services/acuity_ladder.h"
#include "services/graphics_window.h"
#include "services/highest_measurable_level.h"
#include "services/ring_fit.h"
#include "vision/gap_ring.h"
#include "vision/ring_image.h"
#include "vision/ring_measure.h"

namespace zorikan {
namespace {

// The graphics window the program asks for; its size decides only where the ring's edges fall on the
// pixel grid, and clips rings larger than it.
constexpr int32_t kWindowNx = kGraphicsWidth;
constexpr int32_t kWindowNy = kGraphicsHeight;

double error_percent(double measured, double asked) {
  return asked > 0 ? 100 * (measured - asked) / asked : 0;
}

// Keeps in `kept` whichever of `kept` and `candidate` lies farther from `asked`.
void keep_worse(double& kept, double candidate, double asked) {
  if (std::abs(candidate - asked) > std::abs(kept - asked)) kept = candidate;
}

RingTableLine level_line(const SessionParams& params, float acuity) {
  const double scale =
      ring_scale(acuity, params.distance_cm, params.diagonal_inch, params.screen_nx, params.screen_ny);
  RingTableLine line{acuity, kGapWidthMm * scale, kGapWidthMm * scale, 0, 0};
  bool first = true;
  for (int32_t side : {-1, 1}) {
    for (double tilt : {-45.0, 0.0, 45.0}) {
      const RingFigure figure = ring_figure(scale, kWindowNx, kWindowNy, side, tilt);
      const RingMeasure measure = measure_ring(render_ring(figure, kWindowNx, kWindowNy), figure);
      if (first) {
        line.area_asked = ideal_black_area(figure);
        line.gap_measured = measure.gap_width;
        line.area_measured = measure.black_area;
        first = false;
      }
      keep_worse(line.gap_measured, measure.gap_width, line.gap_asked);
      keep_worse(line.area_measured, measure.black_area, line.area_asked);
    }
  }
  return line;
}

}  // namespace

std::vector<RingTableLine> ring_table(const SessionParams& params) {
  std::vector<RingTableLine> lines;
  for (int32_t index = kFirstProbeIndex; index < kHighestLadderIndex; ++index) {
    lines.push_back(level_line(params, kAcuityLadder[index]));
  }
  return lines;
}

void print_ring_table(const SessionParams& params, std::FILE* out) {
  const double pitch = pixel_pitch_mm(params.diagonal_inch, params.screen_nx, params.screen_ny);
  const float highest =
      highest_measurable_level(params.distance_cm, params.diagonal_inch, params.screen_nx, params.screen_ny);
  const RingWindow window{kWindowNx, kWindowNy};
  const float lowest = lowest_fitting_level(params.distance_cm, params.diagonal_inch, params.screen_nx,
                                            params.screen_ny, window);
  std::fprintf(out,
               "Gap rings at %.1f cm, %.1f\", %d x %d pixels (pitch %.3f mm), in a %d x %d window.\n"
               "Measured back from the rendered pixels; of the six gap placements, the one that errs most.\n"
               "Levels above %.2f have a gap under one pixel and are beyond this set-up.\n",
               params.distance_cm, params.diagonal_inch, params.screen_nx, params.screen_ny, pitch, kWindowNx,
               kWindowNy, highest);
  if (highest < kSmallestRingAcuity) {
    const int32_t closest =
        distance_to_measure_cm(kSmallestRingAcuity, params.diagonal_inch, params.screen_nx, params.screen_ny);
    if (closest > kLongestDistanceCm) {
      std::fprintf(out,
                   "%.2f needs %d cm or more, beyond the %g cm the parameters take: this screen cannot "
                   "measure it.\n",
                   kSmallestRingAcuity, closest, kLongestDistanceCm);
    }
  }
  if (lowest != kLargestRingAcuity) {
    if (lowest > 0) {
      std::fprintf(out, "Levels below %.2f do not fit the window whole and are drawn clipped", lowest);
    } else {
      std::fprintf(out, "No level fits the window whole; every ring is drawn clipped");
    }
    const int32_t fit = distance_to_fit_cm(kLargestRingAcuity, params.diagonal_inch, params.screen_nx,
                                           params.screen_ny, window);
    if (fit > 0) std::fprintf(out, "; %.2f fits from %d cm or nearer", kLargestRingAcuity, fit);
    std::fprintf(out, ".\n");
  }
  std::fprintf(out, "\nlevel  gap asked  gap measured   error  black area  area measured   error\n");
  std::fprintf(out, "            (px)          (px)     (%%)     (px^2)         (px^2)     (%%)\n");
  for (const RingTableLine& line : ring_table(params)) {
    const bool clipped = lowest == 0 || line.acuity < lowest;
    const char* mark = line.acuity > highest ? "  beyond" : clipped ? "  clipped" : "";
    std::fprintf(out, "%5.2f  %9.2f  %12.2f  %6.1f  %10.1f  %13.1f  %6.2f%s\n", line.acuity, line.gap_asked,
                 line.gap_measured, error_percent(line.gap_measured, line.gap_asked), line.area_asked,
                 line.area_measured, error_percent(line.area_measured, line.area_asked), mark);
  }
}

}  // namespace zorikan
