// Tones through the system's sound output (sound_stream.h: the PulseAudio server on Linux, waveOut on
// Windows).
//
// One playback stream, S16 native-endian (little-endian on our targets) mono, opened by connect() (or
// else on the first tone) and kept, with a small target buffer so that a tone starts at once and the
// drain at its end returns within a few milliseconds of the last sample being played. A server whose
// device has had no stream may take up to seconds to take the first samples of a new one (it renders
// in long blocks while idle); a stream connected early has that behind it when its first tone comes.
//
// The stream lives on a worker thread of its own. A caller hands the tone over and waits at most the
// tone's duration plus a short grace period, so a sound server that accepts a connection and then never
// answers (or stalls in the middle of a tone) can delay a tone by that grace period and never hangs it.
// While the worker is stuck in such a call, later tones are silent waits. Where there is no sound server
// or no device, every tone is a silent wait of its duration; after a failed connection the player does
// not try again before the retry interval has passed, so a machine without sound pays for one failed
// connection every few seconds at most, never one per tone.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace zorikan::display {

// How a call of TonePlayer::play went; the layer ignores it, tests read it.
enum class ToneOutcome {
  kNothing,      // duration zero or negative: returned at once
  kSilence,      // frequency without a tone (0, negative, or beyond what the sample rate can carry):
                 // returned at once
  kPlayed,       // written to the sound server and drained
  kNoSound,      // no server, no device, a failed write, or a retry not yet due: waited silently
  kWorkerBusy,   // the worker is still stuck in an earlier call to the server: waited silently
  kGaveUp,       // the server did not finish within the grace period after the tone's end
  kInterrupted,  // the interruption predicate turned true; returned early
};

struct TonePlayerSettings {
  // Server address as libpulse takes it ("unix:/path/to/socket"); empty: libpulse's own lookup
  // ($PULSE_SERVER, the user's runtime directory, the system socket). Unused on Windows.
  std::string server;
  int32_t sample_rate = 44100;
  // Target fill of the server's buffer for our stream.
  std::chrono::milliseconds target_buffer{30};
  // How long after a tone's end the caller keeps waiting for a slow server before giving up.
  std::chrono::milliseconds grace{250};
  // Shortest time between two connection attempts after a failure.
  std::chrono::milliseconds retry_interval{5000};
  // When not null and true, a wait ends early (the layer passes stop_requested).
  bool (*interrupted)() = nullptr;
};

class TonePlayer {
 public:
  TonePlayer();
  explicit TonePlayer(TonePlayerSettings settings);
  // Leaves a worker that is stuck in the server to finish on its own; it then frees the stream.
  ~TonePlayer();
  TonePlayer(const TonePlayer&) = delete;
  TonePlayer& operator=(const TonePlayer&) = delete;

  // Plays the tone and returns when it has played, or after a silent wait of the same duration. Any
  // thread; tones from two threads play one after the other.
  ToneOutcome play(int32_t frequency_hz, int32_t duration_ms);

  // Opens the stream in the background and returns at once; a tone asked for meanwhile plays once the
  // stream is open. The layer connects when it starts, so that the run's first tone sounds whole.
  void connect();

 private:
  struct Worker;

  bool start_worker();  // play_mutex_ held

  TonePlayerSettings settings_;
  std::mutex play_mutex_;           // one tone at a time
  std::shared_ptr<Worker> worker_;  // started on the first tone; shared with its thread
};

}  // namespace zorikan::display
