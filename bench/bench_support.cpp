// Shared benchmark pieces; see bench_support.h.
#include "bench/bench_support.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <vector>

#include "services/grating_picture.h"
#include "session/glyph_file.h"

namespace zorikan::bench {

void load_shipped_glyphs() {
  static const bool loaded = [] {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(ZORIKAN_SOURCE_DIR) / "data");
    read_glyph_file();
    std::filesystem::current_path(previous);
    return true;
  }();
  benchmark::DoNotOptimize(loaded);
}

PlacedGlyph shipped_glyph(int32_t size, bool on_the_right) {
  load_shipped_glyphs();
  const auto glyph = static_cast<size_t>(size - 1);
  return {std::span<const GlyphPoint>(glyph_points[glyph].data(), static_cast<size_t>(glyph_count[glyph])),
          glyph_offset(on_the_right ? 0.75f : 0.25f, size)};
}

double memcpy_seconds(size_t bytes) {
  static std::map<size_t, double> measured;
  if (const auto known = measured.find(bytes); known != measured.end()) return known->second;
  std::vector<uint8_t> from(bytes, 0x5A);
  std::vector<uint8_t> to(bytes);
  double best = 1e9;
  for (int round = 0; round < 200; ++round) {
    const auto start = std::chrono::steady_clock::now();
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return measured[bytes] = best;
}

}  // namespace zorikan::bench
