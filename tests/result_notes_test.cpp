// The notes under a vision check's result, for set-ups worked out here: 2.0's gap at the default set-up
// (200 cm, 17.7", 1024 x 768) is 0.83 pixels and covers one from 243 cm; on 75.6" 1024 x 768 (a pitch of
// 1.5 mm) it does from 1035 cm, beyond the 999.999 cm the parameters take; on 15.6" 3840 x 2160 at 500 cm
// the ring of 0.1 is 806 pixels, and 0.2's 403 is the largest that fits a window 650 high.
#include "vision/result_notes.h"

#include <gtest/gtest.h>

#include <string>

#include "common/cp1251.h"

namespace zorikan {
namespace {

struct NotesCase {
  float acuity;
  SessionParams params;
  RingWindow window;
  std::string beyond, clipped;  // UTF-8
};

TEST(ResultNotes, NameTheDistanceOrTheScreensLimitAndTheClippedRings) {
  const SessionParams standard{200, 17.7f, 1024, 768, 100}, large{900, 75.6f, 1024, 768, 100},
      fine{500, 15.6f, 3840, 2160, 100};
  const std::string beyond = "Выше предела этой установки: ", clipped = " больше окна и показаны обрезанными";
  const NotesCase cases[] = {
      {1.5f, standard, {980, 650}, "", ""},
      {2.0f, standard, {980, 650}, beyond + "для измерения нужна дальность 243 см", ""},
      {2.0f, large, {980, 650}, beyond + "этот экран не измерит её и с 999.999 см", ""},
      {2.0f, fine, {980, 650}, "", "Кольца для остроты ниже 0.2" + clipped},
      {0.0f, fine, {3, 3}, "", "Все кольца" + clipped}};
  for (const NotesCase& c : cases) {
    const ResultNotes notes = result_notes(c.acuity, c.params, c.window);
    EXPECT_EQ(cp1251_to_utf8(notes.beyond), c.beyond) << c.acuity << " at " << c.params.distance_cm << " cm";
    EXPECT_EQ(cp1251_to_utf8(notes.clipped), c.clipped)
        << c.acuity << " at " << c.params.distance_cm << " cm";
  }
}

}  // namespace
}  // namespace zorikan
