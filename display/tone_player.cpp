// Tone playback on a sound stream owned by a worker thread; see tone_player.h.
#include "display/tone_player.h"

#include <algorithm>
#include <condition_variable>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "display/interruptible_wait.h"
#include "display/sound_stream.h"
#include "display/tone_wave.h"

namespace zorikan::display {
namespace {

using Clock = std::chrono::steady_clock;

// Samples handed to the server per write; between two writes the worker looks for a cancelled tone.
constexpr int kChunkMs = 20;

}  // namespace

struct TonePlayer::Worker {
  explicit Worker(const TonePlayerSettings& player_settings)
      : settings(player_settings),
        chunk(static_cast<size_t>(player_settings.sample_rate) * kChunkMs / 1000 + 1) {}

  void run();
  bool play_tone(int32_t frequency_hz, int32_t duration_ms);
  void start_stream();
  bool open_stream();
  void drop_stream();
  bool cancelled() {
    std::lock_guard lock(mutex);
    return cancel;
  }

  // Shared between the worker thread and callers, under `mutex`.
  std::mutex mutex;
  std::condition_variable changed;
  bool quit = false;
  bool connect_now = false;  // open the stream without a tone
  bool has_job = false;      // a tone handed over and not yet taken
  bool busy = false;         // the worker is inside a tone (possibly stuck in the server)
  bool cancel = false;       // the caller stopped waiting: play no more of the current tone
  int32_t job_frequency_hz = 0;
  int32_t job_duration_ms = 0;
  uint64_t job_id = 0;
  uint64_t done_id = 0;
  bool done_ok = false;

  // The worker thread's own.
  const TonePlayerSettings settings;
  std::vector<int16_t> chunk;
  SoundStream* stream = nullptr;
  Clock::time_point next_attempt{};  // no connection attempt before this moment
};

void TonePlayer::Worker::run() {
  std::unique_lock lock(mutex);
  for (;;) {
    changed.wait(lock, [this] { return quit || has_job || connect_now; });
    if (quit) break;
    if (connect_now && !has_job) {
      // A tone handed over while the stream starts is taken right after it.
      connect_now = false;
      lock.unlock();
      start_stream();
      lock.lock();
      continue;
    }
    connect_now = false;
    has_job = false;
    busy = true;
    const uint64_t id = job_id;
    const int32_t frequency_hz = job_frequency_hz;
    const int32_t duration_ms = job_duration_ms;
    lock.unlock();
    const bool ok = play_tone(frequency_hz, duration_ms);
    lock.lock();
    busy = false;
    done_id = id;
    done_ok = ok;
    changed.notify_all();
  }
  lock.unlock();
  close_sound_stream(stream);
}

bool TonePlayer::Worker::open_stream() {
  stream = open_sound_stream({settings.server, settings.sample_rate, settings.target_buffer});
  return stream != nullptr;
}

// Opens the stream and starts it with a little silence, more than the server buffers before it starts
// a stream. Until its first samples are taken the stream is not running, and the server may take them
// only at the end of the long block it renders while it has no stream (up to seconds); once they are
// taken, later samples start within the target buffer. Started early, the stream has this behind it
// when the first tone comes, and it keeps the device from being suspended for want of a stream.
void TonePlayer::Worker::start_stream() {
  if (stream != nullptr) return;
  if (!open_stream()) {
    drop_stream();
    return;
  }
  std::fill(chunk.begin(), chunk.end(), int16_t{0});
  for (auto written = std::chrono::milliseconds(0); written <= settings.target_buffer;
       written += std::chrono::milliseconds(kChunkMs)) {
    if (!write_sound(*stream, chunk)) {
      drop_stream();
      return;
    }
  }
}

void TonePlayer::Worker::drop_stream() {
  close_sound_stream(stream);
  stream = nullptr;
  next_attempt = Clock::now() + settings.retry_interval;
}

bool TonePlayer::Worker::play_tone(int32_t frequency_hz, int32_t duration_ms) {
  if (stream == nullptr) {
    if (Clock::now() < next_attempt) return false;
    if (!open_stream()) {
      drop_stream();
      return false;
    }
  }
  // A slow connection may have outlasted the caller's patience: a tone played now would come late.
  if (cancelled()) return false;
  ToneWave wave(frequency_hz, int64_t{settings.sample_rate} * duration_ms / 1000, settings.sample_rate);
  while (const size_t count = wave.next(chunk)) {
    if (cancelled()) {
      if (!flush_sound(*stream)) drop_stream();
      return false;
    }
    if (!write_sound(*stream, std::span<const int16_t>(chunk.data(), count))) {
      drop_stream();
      return false;
    }
  }
  if (!drain_sound(*stream)) {
    drop_stream();
    return false;
  }
  return true;
}

TonePlayer::TonePlayer() : TonePlayer(TonePlayerSettings{}) {}

TonePlayer::TonePlayer(TonePlayerSettings settings) : settings_(std::move(settings)) {}

void TonePlayer::connect() {
  std::lock_guard play_lock(play_mutex_);
  if (!start_worker()) return;
  std::lock_guard lock(worker_->mutex);
  worker_->connect_now = true;
  worker_->changed.notify_all();
}

bool TonePlayer::start_worker() {
  if (worker_ != nullptr) return true;
  auto worker = std::make_shared<Worker>(settings_);
  try {
    std::thread([worker] { worker->run(); }).detach();
  } catch (const std::system_error&) {
    return false;
  }
  worker_ = std::move(worker);
  return true;
}

TonePlayer::~TonePlayer() {
  if (worker_ == nullptr) return;
  std::lock_guard lock(worker_->mutex);
  worker_->quit = true;
  worker_->cancel = true;
  worker_->changed.notify_all();
}

ToneOutcome TonePlayer::play(int32_t frequency_hz, int32_t duration_ms) {
  if (duration_ms <= 0) return ToneOutcome::kNothing;
  auto silent_wait = [this](Clock::time_point deadline, ToneOutcome outcome) {
    return wait_until(deadline, settings_.interrupted) ? outcome : ToneOutcome::kInterrupted;
  };
  // A frequency at or above half the sample rate would come out as a different, aliased tone. A tone
  // that cannot sound takes no time: the program asks for 0 Hz only on its way out, where a wait would
  // only hold up the end.
  if (frequency_hz <= 0 || frequency_hz >= settings_.sample_rate / 2) return ToneOutcome::kSilence;

  std::lock_guard play_lock(play_mutex_);
  const auto deadline = Clock::now() + std::chrono::milliseconds(duration_ms);
  if (!start_worker()) return silent_wait(deadline, ToneOutcome::kNoSound);

  Worker& worker = *worker_;
  std::unique_lock lock(worker.mutex);
  if (worker.busy || worker.has_job) {
    lock.unlock();
    return silent_wait(deadline, ToneOutcome::kWorkerBusy);
  }
  const uint64_t id = ++worker.job_id;
  worker.job_frequency_hz = frequency_hz;
  worker.job_duration_ms = duration_ms;
  worker.has_job = true;
  worker.cancel = false;
  worker.changed.notify_all();

  const auto give_up = deadline + settings_.grace;
  while (worker.done_id != id) {
    if (settings_.interrupted != nullptr && settings_.interrupted()) {
      worker.cancel = true;
      return ToneOutcome::kInterrupted;
    }
    const auto now = Clock::now();
    if (now >= give_up) {
      worker.cancel = true;
      return ToneOutcome::kGaveUp;
    }
    worker.changed.wait_until(lock, std::min(give_up, now + kWaitSlice));
  }
  if (worker.done_ok) return ToneOutcome::kPlayed;
  lock.unlock();
  return silent_wait(deadline, ToneOutcome::kNoSound);
}

}  // namespace zorikan::display
