// Simulated time for tests: a time-and-sound service in which time moves only as the program reads or
// waits on it, so a whole training run takes milliseconds of real time and always the same course.
//
// It has the two clocks of the real service: the steady clock, which is the simulated time itself (hooks,
// holds, tone and pause starts and now() are on it), and the wall clock (epoch seconds and local time),
// which reads the same until a test steps it with step_wall_clock, as a user or network time setting the
// system's clock would.
//
// Every clock read (epoch seconds or local time) first moves the clock on by a small read step (10 us
// by default), so a loop that busy-polls the clock gets on; a pause moves it by its duration; a tone
// is recorded with its start and then moves the clock by its duration. Local time is derived from the
// simulated epoch with localtime_r, in the process's time zone; epoch_of_local_time converts back, so a
// test can start at a local date and time without setting the time zone.
//
// Tests act at chosen simulated moments through hooks and holds:
// - at(moment, action) runs action on the thread that moves the clock, when the clock reaches moment
//   (the clock reads exactly moment meanwhile), in order of moments, ties in order of registration;
// - on_tone(action) runs action on that thread as each tone starts, before the clock moves;
// - hold() (from a hook) or hold_at(moment) stop the clock there: the thread that moved it waits until
//   the test calls release(), so the test can do its part (press a mouse button on the GUI thread) while
//   no simulated time passes for that thread. A hold ends by itself after a real-time limit (10 s), and
//   at close(), so a failed test cannot hang;
// - wait_until(condition) and wait_until_time(moment) let the test thread wait, in real time with a
//   limit, for the program to get somewhere.
// Hooks run without the service's lock, so they may call any operation of the service. Moments and start
// times given in seconds are taken to the nearest microsecond; the clock itself counts nanoseconds.
//
// Another thread that moves the clock while one is held is not stopped; the clock never goes back.
// The service must outlive every thread that uses it: join the program thread before destroying it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "display/time_sound_service.h"

namespace zorikan::testing {

struct SimulatedTone {
  int32_t frequency_hz = 0;
  int32_t duration_ms = 0;
  double start_seconds = 0;  // simulated epoch seconds at the call
};

struct SimulatedPause {
  int32_t duration_ms = 0;
  double start_seconds = 0;
};

class SimulatedTime final : public display::TimeSoundService {
 public:
  // 2023-11-14 22:13:20 UTC.
  static constexpr double kDefaultStart = 1'700'000'000.0;

  explicit SimulatedTime(double start_epoch_seconds = kDefaultStart);
  ~SimulatedTime() override;
  SimulatedTime(const SimulatedTime&) = delete;
  SimulatedTime& operator=(const SimulatedTime&) = delete;

  // Epoch seconds of a local date and time in the process's time zone; the millisecond field counts.
  static double epoch_of_local_time(const display::LocalTime& local);

  void set_read_step(std::chrono::nanoseconds step);
  // Whether tones and pauses are recorded for tones() and pauses() (they are by default); a long run
  // turns it off so that the test's own records do not grow with it.
  void set_keeps_history(bool keep);
  void set_hold_limit(std::chrono::milliseconds limit);

  // The service, as the program sees it.
  double epoch_seconds() override;
  double steady_seconds() override;
  display::LocalTime local_time() override;
  void sleep_ms(int32_t milliseconds) override;
  void beep(int32_t frequency_hz, int32_t duration_ms) override;
  // Moves the clock to the next hook's moment or to the deadline, whichever is first, and returns: a
  // robot's action at that moment is then seen by the waiting loop at that very moment. With neither a
  // hook nor a deadline it waits in real time (up to the hold limit) for an input signal.
  void wait_for_input(double deadline_seconds, uint64_t seen) override;

  // Moves the wall clock alone by `seconds` (either way); the steady clock goes on as before.
  void step_wall_clock(double seconds);

  // Inspection from any thread; none of these moves the clock.
  double now() const;
  double wall_now() const;
  std::vector<SimulatedTone> tones() const;
  std::vector<SimulatedPause> pauses() const;
  int64_t clock_reads() const;
  int64_t input_waits() const;
  // True once a hold ended by its real-time limit rather than by release().
  bool hold_timed_out() const;

  // Hooks (see the top of this file). A moment at or before the current time fires at the next move.
  void at(double moment_seconds, std::function<void()> action);
  void on_tone(std::function<void(const SimulatedTone&)> action);

  // Holding the clock.
  void hold();
  void hold_at(double moment_seconds);
  bool is_held() const;
  bool wait_until_held(std::chrono::milliseconds timeout);
  void release();
  // Releases any hold and makes later holds return at once. A test that may fail while the program
  // thread is held calls it before joining that thread; the destructor calls it too.
  void close();

  // Test-thread waits in real time; false when the timeout passed first. The condition is evaluated on
  // the waiting thread, without the lock, each time the service's state changes.
  bool wait_until(const std::function<bool()>& condition, std::chrono::milliseconds timeout);
  bool wait_until_time(double moment_seconds, std::chrono::milliseconds timeout);

 private:
  // Moves the clock on by `step`, firing the moment hooks it passes.
  void advance(int64_t step_ns);
  // A clock read: counted, and the clock moved on by the read step.
  void count_read_and_step();
  void changed_locked();

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  uint64_t generation_ = 0;  // bumped by every change a waiter may look for

  int64_t now_ns_;             // the steady clock: simulated nanoseconds since the epoch
  int64_t wall_offset_ns_ = 0;  // the wall clock less the steady clock
  int64_t read_step_ns_ = 10'000;
  bool keeps_history_ = true;
  int64_t reads_ = 0;
  int64_t input_waits_ = 0;
  std::vector<SimulatedTone> tones_;
  std::vector<SimulatedPause> pauses_;

  // Keyed by (moment in ns, registration number) so equal moments fire in registration order.
  std::map<std::pair<int64_t, uint64_t>, std::function<void()>> moment_hooks_;
  uint64_t hooks_registered_ = 0;
  std::vector<std::function<void(const SimulatedTone&)>> tone_hooks_;

  std::chrono::milliseconds hold_limit_{10'000};
  bool held_ = false;
  uint64_t holds_started_ = 0;
  uint64_t holds_released_ = 0;  // every hold up to this number is released
  bool hold_timed_out_ = false;
  bool closing_ = false;
};

// Installs a service for the lifetime of the guard; the real service is back afterwards.
class TimeSoundServiceGuard {
 public:
  explicit TimeSoundServiceGuard(display::TimeSoundService& service) {
    display::set_time_sound_service(&service);
  }
  ~TimeSoundServiceGuard() { display::set_time_sound_service(nullptr); }
  TimeSoundServiceGuard(const TimeSoundServiceGuard&) = delete;
  TimeSoundServiceGuard& operator=(const TimeSoundServiceGuard&) = delete;
};

}  // namespace zorikan::testing
