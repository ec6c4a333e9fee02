// The notes under a vision check's result, for set-ups worked out here: 2.0's gap at the default set-up
// (200 cm, 17.7", 1024 x 768) is 0.83 pixels and covers one from 243 cm; on 75.6" 1024 x 768 (a pitch of
// 1.5 mm) it does from 1035 cm, beyond the 999.999 cm the parameters take; on 15.6" 3840 x 2160 at 500 cm
// the ring of 0.1 is 806 pixels, and 0.2's 403 is the largest that fits a window 650 high.
#include "vision/result_notes.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "common/cp1251.h"

namespace zorikan {
namespace {

TEST(ResultNotes, NameTheDistanceOrTheScreensLimitAndTheClippedRings) {
  constexpr RingWindow kWindow{980, 650};
  const std::tuple<float, SessionParams, RingWindow, std::string, std::string> cases[] = {
      {1.5f, {200, 17.7f, 1024, 768, 100}, kWindow, "", ""},
      {2.0f,
       {200, 17.7f, 1024, 768, 100},
       kWindow,
       "Выше предела этой установки: для измерения нужна дальность 243 см",
       ""},
      {2.0f,
       {900, 75.6f, 1024, 768, 100},
       kWindow,
       "Выше предела этой установки: этот экран не измерит её и с 999.999 см",
       ""},
      {2.0f,
       {500, 15.6f, 3840, 2160, 100},
       kWindow,
       "",
       "Кольца для остроты ниже 0.2 больше окна и показаны обрезанными"},
      {0.0f, {500, 15.6f, 3840, 2160, 100}, {3, 3}, "", "Все кольца больше окна и показаны обрезанными"}};
  for (const auto& [acuity, params, window, beyond, clipped] : cases) {
    const ResultNotes notes = result_notes(acuity, params, window);
    EXPECT_EQ(cp1251_to_utf8(notes.beyond), beyond) << acuity << " at " << params.distance_cm << " cm";
    EXPECT_EQ(cp1251_to_utf8(notes.clipped), clipped) << acuity << " at " << params.distance_cm << " cm";
  }
}

}  // namespace
}  // namespace zorikan
