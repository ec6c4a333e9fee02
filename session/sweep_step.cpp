// One step of the start screen's sweep; see sweep_step.h. Program thread.
#include "session/sweep_step.h"

#include <span>

#include "display/display.h"
#include "services/glyph_set.h"
#include "services/grating_picture.h"
#include "services/random_uniform.h"
#include "services/shared_words.h"
#include "services/window_size.h"
#include "session/grey_pause.h"
#include "session/sweep_state.h"

namespace zorikan {
namespace {

constexpr int32_t kGrey = 0x808080;
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kBlack = 0x000000;
constexpr int32_t kFilled = 3;
constexpr int32_t kPlainCopy = 3;
constexpr int32_t kGreyPauseMs = 1000;
constexpr float kDisplaySeconds = 5.0f;

CheckpointOutcome draw_grating_in_buffer(int32_t size, int16_t nx, int16_t ny) {
  set_draw_color_rgb(kGrey);
  draw_rectangle(kFilled, 0, 0, static_cast<int16_t>(nx - 1), static_cast<int16_t>(ny - 1));
  grey_pause(kGreyPauseMs);
  // For the header; every pixel row is then written whole, black cells included.
  get_image(0, 0, static_cast<int16_t>(nx - 1), static_cast<int16_t>(ny - 1), start_image_buffer);
  for (int32_t y = 0; y < ny; ++y) {
    write_grating_row(start_image_buffer, nx, ny, size, y);
    if (button_code == kBothButtons) leave_start_screen();
  }
  return full_checkpoint();
}

// What lies outside the stripes keeps its previous content on this path.
CheckpointOutcome draw_grating_in_window(int32_t size, int16_t nx, int16_t ny) {
  const int32_t stripes = nx / size;
  GraphicsPosition previous;
  for (int32_t y = 0; y < ny; ++y) {
    const auto row = static_cast<int16_t>(y);
    for (int32_t i = 1; i <= stripes; ++i) {
      set_draw_color_rgb((i + y) % 2 == 1 ? kWhite : kBlack);
      move_to(static_cast<int16_t>((i - 1) * size + 1), row, previous);
      line_to(static_cast<int16_t>(i * size), row);
      move_to(static_cast<int16_t>(i * size), row, previous);
    }
    if (full_checkpoint() == CheckpointOutcome::kRestart) return CheckpointOutcome::kRestart;
  }
  return CheckpointOutcome::kContinue;
}

CheckpointOutcome draw_glyph_in_buffer(int32_t size, int32_t offset, std::span<const GlyphPoint> points,
                                       int16_t nx, int16_t ny) {
  write_glyph(start_image_buffer, nx, ny, size, offset, points);
  put_image(0, 0, start_image_buffer, kPlainCopy);
  return glyph_checkpoint();
}

CheckpointOutcome draw_glyph_in_window(int32_t size, int32_t offset, std::span<const GlyphPoint> points,
                                       int16_t nx, int16_t ny) {
  for (const GlyphPoint& point : points) {
    for (int32_t a = 1; a <= 2 * size; ++a) {
      const int64_t y = static_cast<int64_t>(point.row) + a;
      if (y < 0 || y >= ny) continue;
      for (int32_t b = 1; b <= 2 * size; ++b) {
        const int64_t x = static_cast<int64_t>(point.column) + offset + b;
        if (x < 0 || x >= nx) continue;
        const bool white = (a <= size) == (b <= size);
        set_pixel_rgb(static_cast<int16_t>(x), static_cast<int16_t>(y), white ? kWhite : kBlack);
      }
    }
    if (glyph_checkpoint() == CheckpointOutcome::kRestart) return CheckpointOutcome::kRestart;
  }
  return CheckpointOutcome::kContinue;
}

}  // namespace

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
