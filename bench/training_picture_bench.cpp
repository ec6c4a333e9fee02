// The training run's picture composed in its image buffer (the picture area of a 980 x 650 window below
// the 20-row status band: the grating and the glyph from the shipped zorikan.sym, checks of the shared
// words included) against a plain memcpy of the whole-window image's 2,548,054 bytes. The counter
// "x_memcpy" is the build's time over memcpy's, measured in the same run; the target is at most 1.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <span>
#include <vector>

#include "bench/bench_support.h"
#include "services/glyph_set.h"
#include "services/graphics_window.h"
#include "services/grating_picture.h"
#include "session/glyph_file.h"
#include "training/training_picture.h"

namespace {

using Clock = std::chrono::steady_clock;

void BM_BuildTrainingPicture(benchmark::State& state) {
  const auto size = static_cast<int32_t>(state.range(0));
  const auto [points, offset] = zorikan::bench::shipped_glyph(size, state.range(1) != 0);
  const double reference = zorikan::bench::memcpy_seconds(zorikan::kStartImageBytes);
  double best = 1e9;
  for (auto _ : state) {
    const auto start = Clock::now();
    zorikan::compose_training_picture(zorikan::training_image_buffer, zorikan::kGraphicsWidth,
                                      zorikan::kGraphicsHeight, size, offset, points);
    benchmark::DoNotOptimize(zorikan::training_image_buffer.data());
    benchmark::ClobberMemory();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  state.counters["x_memcpy"] = best / reference;
}
// Sizes 2 (the most points), 5 and 9; glyph on the left (0) and on the right (1).
BENCHMARK(BM_BuildTrainingPicture)->ArgsProduct({{2, 5, 9}, {0, 1}})->ArgNames({"size", "right"});

}  // namespace
