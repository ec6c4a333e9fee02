// The counts of the training run; see training_counts.h.
#include "training/training_counts.h"

#include "display/display.h"
#include "services/results_log.h"
#include "services/shared_words.h"

namespace zorikan {

TrainingCounts training_counts;

void score_image(AnswerOutcome outcome, bool glyph_left, float seconds, int32_t button) {
  TrainingCounts& counts = training_counts;
  if (outcome == AnswerOutcome::kMissed) {
    ++counts.missed_count;
    beep(400, 300);
    return;
  }
  const bool correct = glyph_left ? button == kLeftButton : button == kRightButton;
  counts.answer_time_sum += seconds;
  if (correct) {
    ++counts.correct_count;
    beep(800, 200);
  } else {
    ++counts.error_count;
    beep(200, 300);
  }
}

void reset_training_scores() {
  training_counts.correct_count = 0;
  training_counts.error_count = 0;
  training_counts.missed_count = 0;
  training_counts.answer_time_sum = 0;
}

void summarize_training() {
  TrainingCounts& counts = training_counts;
  const int32_t answered = counts.correct_count + counts.error_count;
  // With nothing answered (every image missed, or a run of no images) there is no mean: 0 / 0 would
  // show "NaN", and the previous run's mean would be a figure from another run.
  counts.mean_answer_time =
      answered > 0 ? counts.answer_time_sum / static_cast<float>(answered) : kNoMeanAnswerTime;
  counts.pushup_count = 2 * counts.error_count + counts.missed_count;
}

}  // namespace zorikan
