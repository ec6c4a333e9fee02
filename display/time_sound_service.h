// The clock, pauses and tones, behind one small service so that tests can run on simulated time.
//
// The real service reads the system clock, sleeps and plays tones through the sound server. A test
// installs a simulated service in which time moves only as the program reads or waits on it.
#pragma once

#include <cstdint>
#include <ctime>

namespace zorikan::display {

struct LocalTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// The local date and time of `seconds` since 1970-01-01 UTC, in the process's time zone.
LocalTime local_time_at(std::time_t seconds, int millisecond);

class TimeSoundService {
 public:
  virtual ~TimeSoundService() = default;
  // Seconds since 1970-01-01 00:00:00 UTC, resolution 1 us or better. Moves with every change of the
  // system's date and time.
  virtual double epoch_seconds() = 0;
  // Seconds since an arbitrary origin, resolution 1 us or better, on a clock that only ever moves on at
  // the pace of real time, whatever is done to the system's date and time.
  virtual double steady_seconds() = 0;
  virtual LocalTime local_time() = 0;
  virtual void sleep_ms(int32_t milliseconds) = 0;
  // Plays the tone and returns when it has played; frequency 0 is silence of the same duration.
  virtual void beep(int32_t frequency_hz, int32_t duration_ms) = 0;
  // Sleeps until the input generation (input_signal.h) differs from `seen` or the steady clock reaches
  // `deadline_seconds` (steady seconds; infinity: no limit) or a stop is requested.
  virtual void wait_for_input(double deadline_seconds, uint64_t seen) = 0;
};

// The service in use: the real one unless a test installed another. Null restores the real one.
TimeSoundService& time_sound_service();
void set_time_sound_service(TimeSoundService* service);

// Connects the real service's sound stream in the background, so that its first tone sounds whole
// (TonePlayer::connect); the layer calls it as it starts. Nothing while another service is installed.
void connect_sound();

}  // namespace zorikan::display
