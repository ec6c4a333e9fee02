// The notes under a vision check's result; see result_notes.h.
#include "vision/result_notes.h"

#include <array>
#include <cstdio>

#include "common/cp1251.h"
#include "services/acuity_ladder.h"
#include "services/highest_measurable_level.h"
#include "services/level_text.h"

namespace zorikan {
namespace {

constexpr auto kBeyond = cp1251<"Выше предела этой установки: для измерения нужна дальность ">();
constexpr auto kBeyondScreen = cp1251<"Выше предела этой установки: этот экран не измерит её и с ">();
constexpr auto kCentimetres = cp1251<" см">();
constexpr auto kClippedBelow = cp1251<"Кольца для остроты ниже ">();
constexpr auto kClippedRest = cp1251<" больше окна и показаны обрезанными">();
constexpr auto kAllClipped = cp1251<"Все кольца больше окна и показаны обрезанными">();

std::string beyond_note(float acuity, const SessionParams& p) {
  if (!(acuity > highest_measurable_level(p.distance_cm, p.diagonal_inch, p.screen_nx, p.screen_ny)))
    return {};
  const int32_t distance = distance_to_measure_cm(acuity, p.diagonal_inch, p.screen_nx, p.screen_ny);
  if (distance <= kLongestDistanceCm)
    return std::string(kBeyond.view()) + std::to_string(distance) + std::string(kCentimetres.view());
  std::array<char, 16> longest{};
  std::snprintf(longest.data(), longest.size(), "%g", kLongestDistanceCm);
  return std::string(kBeyondScreen.view()) + longest.data() + std::string(kCentimetres.view());
}

std::string clipped_note(const SessionParams& p, RingWindow window) {
  const float lowest = lowest_fitting_level(p.distance_cm, p.diagonal_inch, p.screen_nx, p.screen_ny, window);
  if (lowest == kLargestRingAcuity) return {};
  if (lowest == 0) return std::string(kAllClipped.view());
  return std::string(kClippedBelow.view()) + level_text(lowest) + std::string(kClippedRest.view());
}

}  // namespace

ResultNotes result_notes(float acuity, const SessionParams& params, RingWindow window) {
  return {beyond_note(acuity, params), clipped_note(params, window)};
}

}  // namespace zorikan
