// The result screen's texts: the count word forms, the push-up lines, and the mean's place when no image
// was answered.
#include <gtest/gtest.h>

#include <string>

#include "common/cp1251.h"
#include "services/results_log.h"
#include "training/count_word_forms.h"
#include "training/result_screen.h"

namespace zorikan {
namespace {

std::string shown(int i) {
  return cp1251_to_utf8(result_screen.texts[static_cast<size_t>(i)].shown());
}

TEST(ResultScreen, CountsTakeTheWordFormOfTheirLastDigitWithElevenToTwentyAsFive) {
  struct Case {
    int32_t volume, errors, missed;
    const char* attempts;
    const char* error_text;
    const char* missed_text;
  };
  const Case cases[] = {
      {100, 2, 1, " 100 попыток", "   2 ошибки", "   1 раз не ответили"},
      {12, 1, 3, "  12 попыток", "   1 ошибка", "   3раза не ответили"},
      {21, 11, 0, "  21 попытка", "  11 ошибок", "   0 раз не ответили"},
      {111, 22, 21, " 111 попытка", "  22 ошибки", "  21 раз не ответили"},
      {0, 0, 0, "   0 попыток", "   0 ошибок", "   0 раз не ответили"},
  };
  for (const Case& c : cases) {
    TrainingCounts counts;
    counts.error_count = c.errors;
    counts.missed_count = c.missed;
    compose_result_screen(c.volume, counts);
    EXPECT_EQ(shown(0), c.attempts);
    EXPECT_EQ(shown(1), c.error_text);
    EXPECT_EQ(shown(2), c.missed_text);
  }
}

TEST(ResultScreen, PushupLinesAndTheMeansPlace) {
  struct Case {
    int32_t pushups;
    float mean;
    std::vector<std::string> from_mean;  // the mean's text and what follows it
  };
  const Case cases[] = {
      {8, 1.5f, {"   1.50", "Сделайте", "   8", "отжиманий, пожалуйста!"}},
      {1, 0.25f, {"   0.25", "Сделайте", "   1", "отжиманиe, пожалуйста!"}},
      {3, kNoMeanAnswerTime, {"  --.--", "Сделайте", "   3", "отжимания, пожалуйста!"}},
      {0, 4.999f, {"   5.00", "Ошибок нет, отжиматься не надо!"}},
  };
  for (const Case& c : cases) {
    TrainingCounts counts;
    counts.pushup_count = c.pushups;
    counts.mean_answer_time = c.mean;
    compose_result_screen(100, counts);
    std::vector<std::string> texts;
    for (int i = 5; i < result_screen.count; ++i) texts.push_back(shown(i));
    EXPECT_EQ(texts, c.from_mean);
  }
  compose_result_screen(100, TrainingCounts{0, 0, 1, 0, 1.0f, 1});
  EXPECT_EQ(result_screen.texts[8].shown()[8], 'e') << "Latin e, byte 0x65";
}

}  // namespace
}  // namespace zorikan
