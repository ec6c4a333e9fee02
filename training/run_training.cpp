// The training run; see run_training.h. Program thread.
//
// Set-up paints the status strips; then each image is drawn, answered and scored, with a tone for each
// verdict; after the last image the result screen, one record in the results log and the final click.
// Both buttons or a menu request abandon the run at once, with no result screen and no record.
#include "training/run_training.h"

#include <span>

#include "display/display.h"
#include "services/colors.h"
#include "services/date_and_time.h"
#include "services/grating_picture.h"
#include "services/random_uniform.h"
#include "services/results_log.h"
#include "services/session_params.h"
#include "services/shared_words.h"
#include "training/answer_window.h"
#include "training/result_screen.h"
#include "training/training_counts.h"
#include "training/training_picture.h"

namespace zorikan {
namespace {

void fill(int32_t rgb, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  set_draw_color_rgb(rgb);
  draw_rectangle(kFilled, static_cast<int16_t>(x1), static_cast<int16_t>(y1), static_cast<int16_t>(x2),
                 static_cast<int16_t>(y2));
}

// Paints the window and its strips and tells which path the pictures take. On the image path the
// buffer gets the header of an image of the picture area.
bool set_up(int16_t nx, int16_t ny) {
  fill(kDarkGreen, 0, 0, nx - 1, ny - 1);
  reset_training_scores();
  fill(kBlue, 0, 0, nx - 1, 9);
  fill(kRed, 0, 10, nx - 1, 19);
  const bool image_path = uses_image_path(nx, ny);
  if (image_path) take_training_image_header(nx, ny);
  return image_path;
}

// Shows image `image` of `volume` and scores it; false when the run is abandoned.
bool run_image(int32_t image, int32_t volume, bool image_path, int32_t size,
               std::span<const GlyphPoint> points, int16_t nx, int16_t ny) {
  const float side = random_uniform();
  if (!show_training_picture(image_path, size, glyph_offset(side, size), points, nx, ny)) return false;
  float seconds = 0;
  int32_t button = 0;
  const AnswerOutcome outcome = await_answer(image, volume, nx, seconds, button);
  if (outcome == AnswerOutcome::kAbandoned) return false;
  score_image(outcome, side <= 0.5f, seconds, button);
  fill(kRed, 0, 10, nx - 1, 19);
  return true;
}

void write_training_record(int32_t size, int32_t volume) {
  int32_t day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
  date_and_time(day, month, year, hour, minute, second);
  const TrainingCounts& counts = training_counts;
  open_results_log();
  write_results_record(
      kTrainingRecordLayout,
      {day, month, year, hour, minute, second, session_params.distance_cm, size, volume, counts.correct_count,
       counts.error_count, counts.missed_count, counts.mean_answer_time, counts.pushup_count});
}

}  // namespace

void run_training(int32_t current_size, const GlyphCounts& glyph_count, const GlyphPoints& glyph_points,
                  int16_t window_nx, int16_t window_ny) {
  if (current_size < 1 || current_size > kGlyphCount) return;
  const auto glyph = static_cast<size_t>(current_size - 1);
  const std::span<const GlyphPoint> points(glyph_points[glyph].data(),
                                           static_cast<size_t>(glyph_count[glyph]));
  const bool image_path = set_up(window_nx, window_ny);
  const int32_t volume = session_params.training_volume;
  for (int32_t image = 1; image <= volume; ++image) {
    if (!run_image(image, volume, image_path, current_size, points, window_nx, window_ny)) return;
  }
  summarize_training();
  compose_result_screen(volume, training_counts);
  draw_result_screen(window_nx, window_ny);
  write_training_record(current_size, volume);
  await_final_click();
}

}  // namespace zorikan
