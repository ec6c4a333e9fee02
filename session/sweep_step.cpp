// One step of the start screen's sweep; see sweep_step.h. Program thread.
#include "session/sweep_step.h"

#include <span>

#include "display/display.h"
#include "services/colors.h"
#include "services/glyph_set.h"
#include "services/grating_picture.h"
#include "services/random_uniform.h"
#include "services/shared_words.h"
#include "services/window_size.h"
#include "session/grey_pause.h"
#include "session/sweep_state.h"

namespace zorikan {
namespace {

constexpr int32_t kGreyPauseMs = 1000;
constexpr float kDisplaySeconds = 5.0f;

CheckpointOutcome draw_grating_in_buffer(int32_t size, int16_t nx, int16_t ny) {
  set_draw_color_rgb(kGrey);
  draw_rectangle(kFilled, 0, 0, static_cast<int16_t>(nx - 1), static_cast<int16_t>(ny - 1));
  grey_pause(kGreyPauseMs);
  // For the header; every pixel row is then written whole, black cells included.
  get_image(0, 0, static_cast<int16_t>(nx - 1), static_cast<int16_t>(ny - 1), start_image_buffer);
  const ImageRows rows = image_rows(start_image_buffer, nx, ny, 0);
  paint_grating(rows, rows.area(), size, [](int32_t) {
    if (button_code == kBothButtons) leave_start_screen();
    return true;
  });
  return full_checkpoint();
}

// What lies outside the stripes keeps its previous content on this path.
CheckpointOutcome draw_grating_in_window(int32_t size, int16_t nx, int16_t ny) {
  WindowRuns window;
  const bool whole = paint_grating(window, PictureArea{nx, 0, ny}, size,
                                   [](int32_t) { return full_checkpoint() != CheckpointOutcome::kRestart; });
  return whole ? CheckpointOutcome::kContinue : CheckpointOutcome::kRestart;
}

CheckpointOutcome draw_glyph_in_buffer(int32_t size, int32_t offset, std::span<const GlyphPoint> points,
                                       int16_t nx, int16_t ny) {
  const ImageRows rows = image_rows(start_image_buffer, nx, ny, 0);
  paint_glyph(rows, rows.area(), size, offset, points, [] { return true; });
  put_image(0, 0, start_image_buffer, kPlainCopy);
  return glyph_checkpoint();
}

CheckpointOutcome draw_glyph_in_window(int32_t size, int32_t offset, std::span<const GlyphPoint> points,
                                       int16_t nx, int16_t ny) {
  WindowRuns window;
  const bool whole = paint_glyph(window, PictureArea{nx, 0, ny}, size, offset, points,
                                 [] { return glyph_checkpoint() != CheckpointOutcome::kRestart; });
  return whole ? CheckpointOutcome::kContinue : CheckpointOutcome::kRestart;
}

}  // namespace

std::array<uint8_t, kStartImageBufferBytes> start_image_buffer;

CheckpointOutcome show_sweep_step(int32_t size) {
  if (size < 1 || size > kGlyphCount) return CheckpointOutcome::kContinue;
  const int16_t nx = window_nx;
  const int16_t ny = window_ny;
  const bool image_path = uses_image_path(nx, ny);

  const CheckpointOutcome grating =
      image_path ? draw_grating_in_buffer(size, nx, ny) : draw_grating_in_window(size, nx, ny);
  if (grating == CheckpointOutcome::kRestart) return grating;
  current_size = size;

  const int32_t offset = glyph_offset(random_uniform(), size);
  const auto glyph = static_cast<size_t>(size - 1);
  const std::span<const GlyphPoint> points(glyph_points[glyph].data(),
                                           static_cast<size_t>(glyph_count[glyph]));
  const CheckpointOutcome shown = image_path ? draw_glyph_in_buffer(size, offset, points, nx, ny)
                                             : draw_glyph_in_window(size, offset, points, nx, ny);
  if (shown == CheckpointOutcome::kRestart) return shown;

  const double start = read_steady_seconds();
  float elapsed = 0;
  do {
    elapsed = static_cast<float>(read_steady_seconds() - start);
    if (full_checkpoint() == CheckpointOutcome::kRestart) return CheckpointOutcome::kRestart;
    if (elapsed < kDisplaySeconds) wait_for_input(start + kDisplaySeconds);
  } while (elapsed < kDisplaySeconds);
  return CheckpointOutcome::kContinue;
}

}  // namespace zorikan
