// One playback stream of 16-bit mono samples to the system's sound output: PulseAudio's simple API on
// Linux (sound_stream_linux.cpp), winmm's waveOut on Windows (sound_stream_win32.cpp). The tone
// player's worker thread owns it; every call may block, and none is made from two threads at once.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

namespace zorikan::display {

struct SoundStream;

struct SoundStreamSettings {
  std::string server;  // PulseAudio's server address ("unix:/path"); empty: the system's own choice
  int32_t sample_rate = 44100;
  // How far ahead of the device the stream runs: a write returns once no more than this is queued.
  std::chrono::milliseconds target_buffer{30};
};

// Null when there is no sound output (no server, no device).
SoundStream* open_sound_stream(const SoundStreamSettings& settings);

// Queues the samples; false when the output failed (the stream is then to be closed).
bool write_sound(SoundStream& stream, std::span<const int16_t> samples);

// Drops what is queued and not yet played.
bool flush_sound(SoundStream& stream);

// Returns once everything queued has been played.
bool drain_sound(SoundStream& stream);

void close_sound_stream(SoundStream* stream);

}  // namespace zorikan::display
