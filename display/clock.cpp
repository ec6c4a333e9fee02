// The layer's tone, pause and clock operations, all through the time-and-sound service so that tests
// can run them on simulated time.
//
// Each begins with stop_point(), and the two that wait look again afterwards: a stop requested during
// the wait cuts it short (the real service sleeps in slices) and then ends the program thread at once.
#include "display/display.h"
#include "display/input_signal.h"
#include "display/stop_point.h"
#include "display/time_sound_service.h"

namespace zorikan {

void beep(int32_t frequency_hz, int32_t duration_ms) {
  display::stop_point();
  display::time_sound_service().beep(frequency_hz, duration_ms);
  display::stop_point();
}

void sleep_ms(int32_t milliseconds) {
  display::stop_point();
  display::time_sound_service().sleep_ms(milliseconds);
  display::stop_point();
}

void read_time_of_day(int16_t& hour, int16_t& minute, int16_t& second, int16_t& hundredths) {
  display::stop_point();
  const display::LocalTime now = display::time_sound_service().local_time();
  hour = static_cast<int16_t>(now.hour);
  minute = static_cast<int16_t>(now.minute);
  second = static_cast<int16_t>(now.second);
  hundredths = static_cast<int16_t>(now.millisecond / 10);
}

void read_date(int16_t& year, int16_t& month, int16_t& day) {
  display::stop_point();
  const display::LocalTime now = display::time_sound_service().local_time();
  year = static_cast<int16_t>(now.year);
  month = static_cast<int16_t>(now.month);
  day = static_cast<int16_t>(now.day);
}

void read_date_and_time(int16_t& year, int16_t& month, int16_t& day, int16_t& hour, int16_t& minute,
                        int16_t& second) {
  display::stop_point();
  const display::LocalTime now = display::time_sound_service().local_time();
  year = static_cast<int16_t>(now.year);
  month = static_cast<int16_t>(now.month);
  day = static_cast<int16_t>(now.day);
  hour = static_cast<int16_t>(now.hour);
  minute = static_cast<int16_t>(now.minute);
  second = static_cast<int16_t>(now.second);
}

double read_steady_seconds() {
  display::stop_point();
  return display::time_sound_service().steady_seconds();
}

double read_epoch_seconds() {
  display::stop_point();
  return display::time_sound_service().epoch_seconds();
}

// Only the program thread waits, so one remembered generation serves.
void wait_for_input(double deadline_seconds) {
  static uint64_t seen = 0;
  display::stop_point();
  const uint64_t now = display::input_generation();
  if (now == seen) display::time_sound_service().wait_for_input(deadline_seconds, seen);
  seen = display::input_generation();
  display::stop_point();
}

}  // namespace zorikan
