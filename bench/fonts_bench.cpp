// Choosing a font and drawing one line of text, as the program does for each string it shows: one
// select_font and one draw_text per line. The prompt "Для продолжения нажмите любую кнопку мыши"
// (41 characters) in the fonts the result screens use, and a 7-character number in the largest.
#include <benchmark/benchmark.h>

#include <QImage>

#include <string_view>

#include "display/display.h"
#include "display/window_registry.h"
#include "services/click_prompt.h"
#include "services/graphics_window.h"
#include "services/screen_fonts.h"

namespace {

constexpr int32_t kBenchUnit = 902;

constexpr std::string_view kMeanTime = "   1.23";

void use_bench_window() {
  static const auto window = [] {
    auto created = zorikan::display::create_window(kBenchUnit, "bench");
    created->surface = QImage(zorikan::kGraphicsWidth, zorikan::kGraphicsHeight, QImage::Format_RGB32);
    created->surface.fill(0xFFFFFFFF);
    created->draw_color = zorikan::kRgbFlag | 0xFF0000;
    return created;
  }();
  zorikan::display::set_thread_active_window(window);
  static const int16_t fonts = zorikan::init_fonts();
  benchmark::DoNotOptimize(fonts);
}

void select_and_draw(benchmark::State& state, std::string_view descriptor, std::string_view text, int x,
                     int y) {
  use_bench_window();
  zorikan::GraphicsPosition previous;
  for (auto _ : state) {
    benchmark::DoNotOptimize(zorikan::select_font(descriptor));
    zorikan::move_to(static_cast<int16_t>(x), static_cast<int16_t>(y), previous);
    zorikan::draw_text(text);
  }
}

// Training run and vision check prompt.
void BM_PromptH38W17Italic(benchmark::State& state) {
  select_and_draw(state, zorikan::kScreenTextFont, zorikan::kClickPromptText.view(), 60, 550);
}
BENCHMARK(BM_PromptH38W17Italic);

// Results chart prompt.
void BM_PromptH28W9Italic(benchmark::State& state) {
  select_and_draw(state, "t'Times New Roman Cyr'h28w9ib", zorikan::kClickPromptText.view(), 265, 621);
}
BENCHMARK(BM_PromptH28W9Italic);

// Mean answer time on the training result screen.
void BM_NumberH120W40Italic(benchmark::State& state) {
  select_and_draw(state, zorikan::kScreenNumberFont, kMeanTime, 400, 55);
}
BENCHMARK(BM_NumberH120W40Italic);

}  // namespace
