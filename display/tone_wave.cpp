// Sine tone synthesis with fades; see tone_wave.h.
#include "display/tone_wave.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zorikan::display {

ToneWave::ToneWave(int32_t frequency_hz, int64_t sample_count, int32_t sample_rate)
    : radians_per_sample_(2.0 * std::numbers::pi * frequency_hz / sample_rate),
      sample_count_(std::max<int64_t>(sample_count, 0)),
      fade_samples_(std::min<int64_t>(int64_t{sample_rate} * kToneFadeMs / 1000, sample_count_ / 2)) {}

size_t ToneWave::next(std::span<int16_t> out) {
  const size_t count = static_cast<size_t>(std::min<int64_t>(remaining(), static_cast<int64_t>(out.size())));
  for (size_t i = 0; i < count; ++i, ++position_) {
    // Distance to the nearer end of the tone, in samples; inside a fade the gain follows half a cosine.
    const int64_t edge = std::min(position_, sample_count_ - 1 - position_);
    double gain = 1.0;
    if (edge < fade_samples_) {
      gain = 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(edge) / fade_samples_);
    }
    // The phase is taken modulo one period from the whole-tone index, so it stays exact in long tones.
    const double phase =
        std::fmod(radians_per_sample_ * static_cast<double>(position_), 2.0 * std::numbers::pi);
    out[i] = static_cast<int16_t>(std::lround(kToneAmplitude * gain * std::sin(phase)));
  }
  return count;
}

}  // namespace zorikan::display
