// The sound stream on winmm's waveOut (the wave mapper, i.e. the user's default output device); see
// sound_stream.h.
//
// Each write becomes one block (a WAVEHDR and its samples) queued to the device; the device signals an
// event as it finishes each. A write returns once what is still queued lasts no longer than the target
// buffer, so a tone's samples run just ahead of the device and a cancelled tone stops within that time.
#include "display/sound_stream.h"

#include <windows.h>
#include <mmsystem.h>

#include <deque>
#include <memory>
#include <vector>

namespace zorikan::display {
namespace {

struct Block {
  WAVEHDR header{};
  std::vector<int16_t> samples;
};

// Longest single wait for the device's signal; each pass looks at the blocks' own done flags as well,
// so a signal that came between two looks is never waited for in vain.
constexpr DWORD kWaitSliceMs = 10;

}  // namespace

struct SoundStream {
  HWAVEOUT device = nullptr;
  HANDLE block_done = nullptr;
  int32_t sample_rate = 0;
  size_t target_samples = 0;
  std::deque<std::unique_ptr<Block>> queued;  // in the order written; the device finishes them in order

  // Frees the blocks the device has finished with; returns the samples still queued.
  size_t release_finished() {
    while (!queued.empty() && (queued.front()->header.dwFlags & WHDR_DONE) != 0) {
      waveOutUnprepareHeader(device, &queued.front()->header, sizeof(WAVEHDR));
      queued.pop_front();
    }
    size_t pending = 0;
    for (const auto& block : queued) pending += block->samples.size();
    return pending;
  }

  // Waits until no more than `limit` samples are queued; false when the device stops answering.
  bool wait_until_queued_at_most(size_t limit) {
    const size_t longest_ms = release_finished() * 1000 / static_cast<size_t>(sample_rate) + 2000;
    const ULONGLONG give_up = GetTickCount64() + longest_ms;
    while (release_finished() > limit) {
      if (GetTickCount64() > give_up) return false;
      WaitForSingleObject(block_done, kWaitSliceMs);
    }
    return true;
  }
};

SoundStream* open_sound_stream(const SoundStreamSettings& settings) {
  if (waveOutGetNumDevs() == 0) return nullptr;
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = static_cast<DWORD>(settings.sample_rate);
  format.wBitsPerSample = 16;
  format.nBlockAlign = 2;
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  auto stream = std::make_unique<SoundStream>();
  stream->block_done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (stream->block_done == nullptr) return nullptr;
  if (waveOutOpen(&stream->device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(stream->block_done), 0,
                  CALLBACK_EVENT) != MMSYSERR_NOERROR) {
    CloseHandle(stream->block_done);
    return nullptr;
  }
  stream->sample_rate = settings.sample_rate;
  stream->target_samples = static_cast<size_t>(settings.sample_rate) *
                           static_cast<size_t>(settings.target_buffer.count()) / 1000;
  return stream.release();
}

bool write_sound(SoundStream& stream, std::span<const int16_t> samples) {
  if (samples.empty()) return true;
  auto block = std::make_unique<Block>();
  block->samples.assign(samples.begin(), samples.end());
  block->header.lpData = reinterpret_cast<LPSTR>(block->samples.data());
  block->header.dwBufferLength = static_cast<DWORD>(samples.size_bytes());
  if (waveOutPrepareHeader(stream.device, &block->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) return false;
  if (waveOutWrite(stream.device, &block->header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
    waveOutUnprepareHeader(stream.device, &block->header, sizeof(WAVEHDR));
    return false;
  }
  stream.queued.push_back(std::move(block));
  return stream.wait_until_queued_at_most(stream.target_samples);
}

bool flush_sound(SoundStream& stream) {
  const bool reset = waveOutReset(stream.device) == MMSYSERR_NOERROR;
  return stream.wait_until_queued_at_most(0) && reset;
}

bool drain_sound(SoundStream& stream) {
  return stream.wait_until_queued_at_most(0);
}

void close_sound_stream(SoundStream* stream) {
  if (stream == nullptr) return;
  waveOutReset(stream->device);
  stream->wait_until_queued_at_most(0);
  waveOutClose(stream->device);
  CloseHandle(stream->block_done);
  delete stream;
}

}  // namespace zorikan::display
