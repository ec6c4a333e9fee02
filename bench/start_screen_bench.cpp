// The start screen's picture built in the image buffer (the grating of one pattern size and its glyph
// from the shipped zorikan.sym, 980 x 650 pixels, 2,548,054 bytes) against a plain memcpy of the same
// number of bytes. The counter "x_memcpy" is the build's time over memcpy's, measured in the same run;
// the target is at most 2.
#include <benchmark/benchmark.h>
#include <unistd.h>

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
#include "session/sweep_step.h"

namespace {

using Clock = std::chrono::steady_clock;
using zorikan::kStartImageBytes;

constexpr int kWidth = zorikan::kGraphicsWidth;
constexpr int kHeight = zorikan::kGraphicsHeight;

void BM_MemcpyStartImageBytes(benchmark::State& state) {
  std::vector<uint8_t> from(kStartImageBytes, 0x5A);
  std::vector<uint8_t> to(kStartImageBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), kStartImageBytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kStartImageBytes));
}
BENCHMARK(BM_MemcpyStartImageBytes);

// One whole picture as the image path builds it: every grating row in order, then the glyph's tiles.
void BM_BuildStartPicture(benchmark::State& state) {
  const auto size = static_cast<int32_t>(state.range(0));
  const auto [points, offset] = zorikan::bench::shipped_glyph(size, state.range(1) != 0);
  std::span<uint8_t> image(zorikan::start_image_buffer);
  const double reference = zorikan::bench::memcpy_seconds(kStartImageBytes);
  double best = 1e9;
  for (auto _ : state) {
    const auto start = Clock::now();
    const zorikan::ImageRows rows = zorikan::image_rows(image, kWidth, kHeight, 0);
    zorikan::paint_grating(rows, rows.area(), size, [](int32_t) { return true; });
    zorikan::paint_glyph(rows, rows.area(), size, offset, points, [] { return true; });
    benchmark::DoNotOptimize(image.data());
    benchmark::ClobberMemory();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kStartImageBytes));
  state.counters["x_memcpy"] = best / reference;
  state.counters["points"] = static_cast<double>(points.size());
}
// Sizes 2 (the most points), 5 and 9; glyph on the left (0) and on the right (1).
BENCHMARK(BM_BuildStartPicture)->ArgsProduct({{2, 5, 9}, {0, 1}})->ArgNames({"size", "right"});

}  // namespace
