// The sound stream on the PulseAudio server (its simple API; PipeWire serves the same protocol); see
// sound_stream.h.
#include "display/sound_stream.h"

#include <pulse/simple.h>

namespace zorikan::display {

struct SoundStream {
  pa_simple* connection = nullptr;
};

SoundStream* open_sound_stream(const SoundStreamSettings& settings) {
  pa_sample_spec sample_format{};
  sample_format.format = PA_SAMPLE_S16NE;
  sample_format.rate = static_cast<uint32_t>(settings.sample_rate);
  sample_format.channels = 1;
  // (uint32_t)-1 lets the server choose; only the target fill is ours. The simple API connects with
  // latency adjustment, so tlength is the whole latency the server aims for.
  pa_buffer_attr attr{};
  attr.maxlength = static_cast<uint32_t>(-1);
  attr.tlength = static_cast<uint32_t>(
      pa_usec_to_bytes(static_cast<pa_usec_t>(settings.target_buffer.count()) * 1000, &sample_format));
  attr.prebuf = static_cast<uint32_t>(-1);
  attr.minreq = static_cast<uint32_t>(-1);
  attr.fragsize = static_cast<uint32_t>(-1);
  int error = 0;
  pa_simple* connection = pa_simple_new(settings.server.empty() ? nullptr : settings.server.c_str(), "ZORIKAN",
                                        PA_STREAM_PLAYBACK, nullptr, "Tone", &sample_format, nullptr, &attr,
                                        &error);
  return connection == nullptr ? nullptr : new SoundStream{connection};
}

bool write_sound(SoundStream& stream, std::span<const int16_t> samples) {
  int error = 0;
  return pa_simple_write(stream.connection, samples.data(), samples.size_bytes(), &error) >= 0;
}

bool flush_sound(SoundStream& stream) {
  int error = 0;
  return pa_simple_flush(stream.connection, &error) >= 0;
}

bool drain_sound(SoundStream& stream) {
  int error = 0;
  return pa_simple_drain(stream.connection, &error) >= 0;
}

void close_sound_stream(SoundStream* stream) {
  if (stream == nullptr) return;
  pa_simple_free(stream->connection);
  delete stream;
}

}  // namespace zorikan::display
