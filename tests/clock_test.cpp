// The layer's clock, pause and tone operations on the real service: resolution, agreement with the
// system's clocks, waits of the right length, and no hang without a sound server.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <QByteArray>
#include <ctime>
#include <thread>

#include "display/display.h"
#include "display/input_signal.h"
#include "display/stop_point.h"

namespace zorikan {
namespace {

using std::chrono::steady_clock;

double system_seconds() {
  return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

int64_t elapsed_ms(steady_clock::time_point since) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(steady_clock::now() - since).count();
}

TEST(RealClock, EpochSecondsFollowTheSystemClockWithMicrosecondResolution) {
  const double before = system_seconds();
  const double first = read_epoch_seconds();
  const double second = read_epoch_seconds();
  const double after = system_seconds();
  EXPECT_GE(first, before - 1e-6);
  EXPECT_LE(second, after + 1e-6);
  EXPECT_GE(second, first);
  EXPECT_LT(second - first, 1e-3);

  // The smallest step the clock shows; a clock counting whole milliseconds (or seconds) fails here.
  double step = 0;
  for (int i = 0; i < 1'000'000 && step == 0; ++i) step = read_epoch_seconds() - second;
  EXPECT_GT(step, 0);
  EXPECT_LT(step, 1e-5);

  // The steady clock runs at the same pace, with the same resolution.
  const double steady = read_steady_seconds();
  const double epoch = read_epoch_seconds();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_NEAR((read_steady_seconds() - steady) - (read_epoch_seconds() - epoch), 0, 2e-3);
  EXPECT_GT(read_steady_seconds() - steady, 0.049);
}

TEST(RealClock, DateAndTimeOfDayAreTheLocalTime) {
  for (const char* zone : {"UTC0", "XST-05:30"}) {  // the second zone is UTC+5:30
    qputenv("TZ", zone);
    tzset();
    const auto before = std::chrono::system_clock::now();
    int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, hundredths = 0;
    read_date(year, month, day);
    read_time_of_day(hour, minute, second, hundredths);
    const auto after = std::chrono::system_clock::now();

    // Either clock sample may be the one the layer saw, if a second boundary fell between them.
    bool matched = false;
    for (const auto sample : {before, after}) {
      const std::time_t seconds = std::chrono::system_clock::to_time_t(sample);
      const std::tm local = *std::localtime(&seconds);
      matched =
          matched || (year == local.tm_year + 1900 && month == local.tm_mon + 1 && day == local.tm_mday &&
                      hour == local.tm_hour && minute == local.tm_min && second == local.tm_sec);
    }
    EXPECT_TRUE(matched) << zone << ": " << year << "-" << month << "-" << day << " " << hour << ":" << minute
                         << ":" << second;
    EXPECT_GE(year, 2000);
    EXPECT_GE(hundredths, 0);
    EXPECT_LE(hundredths, 99);
  }
}

TEST(RealPause, SleepWaitsItsDurationAndNonPositiveReturnsAtOnce) {
  auto start = steady_clock::now();
  sleep_ms(150);
  EXPECT_GE(elapsed_ms(start), 150);
  EXPECT_LT(elapsed_ms(start), 1000);

  start = steady_clock::now();
  sleep_ms(0);
  sleep_ms(-500);
  EXPECT_LT(elapsed_ms(start), 50);
}

TEST(RealPause, StopRequestEndsTheProgramThreadsSleepEarly) {
  std::atomic<bool> unwound{false};
  std::atomic<int64_t> slept_ms{-1};
  std::thread program([&] {
    display::mark_program_thread();
    const auto start = steady_clock::now();
    try {
      sleep_ms(20'000);
    } catch (const display::ProgramThreadExit&) {
      unwound = true;
    }
    slept_ms = elapsed_ms(start);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  display::request_stop();
  program.join();
  EXPECT_TRUE(unwound);
  EXPECT_GE(slept_ms, 90);
  EXPECT_LT(slept_ms, 2000);
}

// The rest of a wait for the user: a signal given before the call or during it ends it, the deadline
// ends it otherwise, and a stop ends the program thread's wait and then the thread.
TEST(RealWaitForInput, EndsAtASignalAtTheDeadlineOrAtAStop) {
  display::signal_input();
  auto start = steady_clock::now();
  wait_for_input(kNoDeadline);
  EXPECT_LT(elapsed_ms(start), 1000) << "a signal given before the call";

  std::thread signaller([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    display::signal_input();
  });
  start = steady_clock::now();
  wait_for_input(read_steady_seconds() + 30);
  signaller.join();
  EXPECT_GE(elapsed_ms(start), 90) << "nothing had run since the previous call";
  EXPECT_LT(elapsed_ms(start), 10'000);

  start = steady_clock::now();
  wait_for_input(read_steady_seconds() + 0.15);
  EXPECT_GE(elapsed_ms(start), 140);
  wait_for_input(read_steady_seconds() - 1);
  EXPECT_LT(elapsed_ms(start), 10'000);

  std::atomic<bool> unwound{false};
  std::thread program([&] {
    display::mark_program_thread();
    try {
      wait_for_input(kNoDeadline);
    } catch (const display::ProgramThreadExit&) {
      unwound = true;
    }
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  display::request_stop();
  program.join();
  EXPECT_TRUE(unwound);
}

TEST(RealTone, BeepWithoutSoundServerWaitsItsDurationAndNeverHangs) {
  qputenv("PULSE_SERVER", "unix:/nonexistent-zorikan-dir/pulse/native");
  for (const int32_t frequency : {440, 1000}) {
    const auto start = steady_clock::now();
    beep(frequency, 300);
    EXPECT_GE(elapsed_ms(start), 300) << frequency << " Hz";
    EXPECT_LT(elapsed_ms(start), 1500) << frequency << " Hz";
  }
  // No duration, and no tone at 0 Hz: nothing to wait for.
  const auto start = steady_clock::now();
  beep(440, 0);
  beep(440, -300);
  beep(0, 0);
  beep(0, 350);
  EXPECT_LT(elapsed_ms(start), 50);
}

}  // namespace
}  // namespace zorikan
