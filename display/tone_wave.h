// The samples of one tone: a sine of a given frequency with short raised-cosine fades at both ends.
//
// Samples are signed 16-bit mono. The wave is produced in pieces of any size, so that a tone of any
// length needs only a small buffer; the phase runs on across pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zorikan::display {

// Peak amplitude: half of full scale, loud enough to hear and far from clipping.
inline constexpr double kToneAmplitude = 16384.0;
// Length of each fade, in milliseconds; a tone shorter than two fades fades over half its length each way.
inline constexpr int kToneFadeMs = 5;

class ToneWave {
 public:
  ToneWave(int32_t frequency_hz, int64_t sample_count, int32_t sample_rate);

  // Fills the front of `out` with the next samples; returns how many were written (0 at the end).
  size_t next(std::span<int16_t> out);
  int64_t remaining() const { return sample_count_ - position_; }

 private:
  double radians_per_sample_;
  int64_t sample_count_;
  int64_t fade_samples_;
  int64_t position_ = 0;
};

}  // namespace zorikan::display
