// The set-up line; see set_up_line.h.
#include "session/set_up_line.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>

#include "services/acuity_ladder.h"
#include "services/highest_measurable_level.h"
#include "services/level_text.h"
#include "services/ring_scale.h"
#include "services/session_params.h"
#include "session/typed_number.h"

namespace zorikan {
namespace {

// The sizes reported for a screen nobody measured: its pixels at 96 per inch (X servers, Qt on X11 without
// the monitor's data) or at 100 per inch (Xvfb's own default, Qt's offscreen platform), give or take the
// rounding to whole millimetres.
constexpr std::array<double, 2> kMadeUpPixelsPerInch = {96, 100};
constexpr double kMadeUpToleranceMm = 1;
constexpr double kSmallestDiagonalInch = 5;
constexpr double kLargestDiagonalInch = 150;
// How far the physical aspect ratio may stray from the pixels' before the pixels are not square.
constexpr double kAspectTolerance = 0.1;

std::string printed(const char* format, double value) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), format, value);
  return text.data();
}

// "от 0.1 до 1.5", or why no level can be measured.
std::string range_part(float lowest, float highest) {
  if (highest <= 0) return "Даже " + level_text(kLargestRingAcuity) + " не измерить";
  if (lowest <= 0 || lowest > highest) return "Ни одно кольцо с видимым зазором не помещается в окно";
  return "Измеримая острота от " + level_text(lowest) + " до " + level_text(highest);
}

std::string measure_part(float distance_cm, float diagonal_inch, int32_t nx, int32_t ny, RingWindow window) {
  const float highest = highest_measurable_level(distance_cm, diagonal_inch, nx, ny);
  const float lowest = lowest_fitting_level(distance_cm, diagonal_inch, nx, ny, window);
  std::string text = range_part(lowest, highest);
  // A window too small for 0.1's ring from any distance in whole centimetres gets no advice.
  const int32_t fit = distance_to_fit_cm(kLargestRingAcuity, diagonal_inch, nx, ny, window);
  if (lowest != kLargestRingAcuity && fit > 0)
    text += "; для " + level_text(kLargestRingAcuity) + " сядьте не дальше " + std::to_string(fit) + " см";
  if (highest >= kSmallestRingAcuity) return text;
  const int32_t measure = distance_to_measure_cm(kSmallestRingAcuity, diagonal_inch, nx, ny);
  if (measure > kLongestDistanceCm)
    return text + "; этот экран не измерит " + level_text(kSmallestRingAcuity) + " и с " +
           printed("%g", kLongestDistanceCm) + " см";
  return text + "; для " + level_text(kSmallestRingAcuity) + " сядьте не ближе " + std::to_string(measure) +
         " см";
}

std::string screen_part(bool differs, const DialogScreen& screen) {
  std::string text;
  if (differs) {
    text =
        "Экран сейчас " + std::to_string(screen.width_pixels) + " x " + std::to_string(screen.height_pixels);
  }
  const double diagonal = reported_diagonal_inch(screen);
  if (diagonal <= 0) return text;
  const std::string inches = printed("%.1f", diagonal) + " дюйма";
  return differs ? text + ", по данным системы диагональ " + inches
                 : "По данным системы диагональ экрана " + inches;
}

}  // namespace

TypedReading read_typed(const TypedValue& typed) {
  std::optional<double> value;
  bool in = false;
  if (typed.integer) {
    if (const std::optional<int32_t> integer = typed_integer(typed.text)) {
      value = *integer;
      in = in_range(*typed.range, *integer);
    }
  } else if (const std::optional<float> real = typed_real(typed.text)) {
    value = *real;
    in = in_range(*typed.range, *real);
  }
  if (!value) return {0, std::string(typed.label) + ": не число"};
  if (!in) return {*value, range_message(typed.label, *typed.range)};
  return {*value, {}};
}

SetUpLine set_up_line(const TypedSetUp& typed, const DialogScreen& screen, RingWindow window) {
  const TypedReading distance = read_typed(typed.distance);
  const TypedReading diagonal = read_typed(typed.diagonal);
  const TypedReading ny = read_typed(typed.screen_ny);
  const TypedReading nx = read_typed(typed.screen_nx);
  SetUpLine line;
  for (const TypedReading* reading : {&distance, &diagonal, &ny, &nx}) {
    if (!reading->ok() && line.measure.empty()) line.measure = reading->problem;
  }
  if (line.measure.empty()) {
    line.measure = measure_part(static_cast<float>(distance.value), static_cast<float>(diagonal.value),
                                static_cast<int32_t>(nx.value), static_cast<int32_t>(ny.value), window);
  }
  line.screen_differs = nx.ok() && ny.ok() && screen.width_pixels > 0 && screen.height_pixels > 0 &&
                        (nx.value != screen.width_pixels || ny.value != screen.height_pixels);
  line.screen = screen_part(line.screen_differs, screen);
  return line;
}

double reported_diagonal_inch(const DialogScreen& screen) {
  if (screen.width_pixels <= 0 || screen.height_pixels <= 0 || !(screen.width_mm > 0) ||
      !(screen.height_mm > 0))
    return 0;
  const double pixel_aspect = double(screen.width_pixels) / screen.height_pixels;
  const double physical_aspect = screen.width_mm / screen.height_mm;
  if (std::abs(physical_aspect / pixel_aspect - 1) > kAspectTolerance) return 0;
  for (const double pixels_per_inch : kMadeUpPixelsPerInch) {
    const auto made_up = [&](int32_t pixels, double mm) {
      return std::abs(mm - pixels * kMillimetresPerInch / pixels_per_inch) <= kMadeUpToleranceMm;
    };
    if (made_up(screen.width_pixels, screen.width_mm) && made_up(screen.height_pixels, screen.height_mm))
      return 0;
  }
  const double diagonal = std::hypot(screen.width_mm, screen.height_mm) / kMillimetresPerInch;
  return diagonal >= kSmallestDiagonalInch && diagonal <= kLargestDiagonalInch ? diagonal : 0;
}

}  // namespace zorikan
