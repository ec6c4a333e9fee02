// The counts of the training run: what one run has scored so far, and the summary of the last
// completed run, which the result screen shows and the log record carries.
#pragma once

#include <cstdint>

#include "training/answer_window.h"

namespace zorikan {

struct TrainingCounts {
  int32_t correct_count = 0;  // answered with the button of the glyph's side
  int32_t error_count = 0;    // answered with the other button
  int32_t missed_count = 0;   // no answer within the answer window
  float answer_time_sum = 0;  // seconds, over the answered images only
  // Seconds per answered image of the last completed run; kNoMeanAnswerTime when it answered none.
  float mean_answer_time = 0;
  int32_t pushup_count = 0;  // two per wrong answer, one per missed image
};

// Static for the life of the program; the program thread's only. The scores are set to 0 when a run
// starts, the summary when a run completes; an abandoned run leaves its partial scores.
extern TrainingCounts training_counts;

// Scores an image answered with `button` (the glyph on the left when `glyph_left`) `seconds` after it
// showed, or missed, and sounds its tone: 800 Hz 200 ms right, 200 Hz 300 ms wrong, 400 Hz 300 ms missed.
void score_image(AnswerOutcome outcome, bool glyph_left, float seconds, int32_t button);

// Sets the scores to 0 for a new run.
void reset_training_scores();

// The summary after the last image: the mean over the answered images (missed ones count in neither
// the sum nor the divisor) and the push-ups owed.
void summarize_training();

}  // namespace zorikan
