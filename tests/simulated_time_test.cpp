// The simulated time-and-sound service: time moves only by reads and waits, tones and pauses are
// recorded with their moments, hooks fire in order, holds stop the program thread until released.
#include "tests/support/simulated_time.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <QByteArray>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "display/display.h"
#include "display/input_signal.h"
#include "services/date_and_time.h"

namespace zorikan::testing {
namespace {

using std::chrono::milliseconds;
constexpr milliseconds kPatience{5000};

TEST(SimulatedTime, MovesOnlyByReadsAndWaits) {
  SimulatedTime sim(1000.0);
  EXPECT_DOUBLE_EQ(sim.now(), 1000.0);
  std::this_thread::sleep_for(milliseconds(20));
  EXPECT_DOUBLE_EQ(sim.now(), 1000.0);  // real time does not count

  const double first = sim.epoch_seconds();
  const double second = sim.epoch_seconds();
  EXPECT_DOUBLE_EQ(first, 1000.00001);
  EXPECT_NEAR(second - first, 10e-6, 1e-9);
  sim.set_read_step(std::chrono::microseconds(250));
  EXPECT_NEAR(sim.epoch_seconds() - second, 250e-6, 1e-9);
  sim.local_time();
  EXPECT_EQ(sim.clock_reads(), 4);

  const double before_waits = sim.now();
  sim.sleep_ms(1500);
  sim.beep(1000, 200);
  sim.beep(0, 350);
  sim.sleep_ms(-20);
  sim.beep(440, -5);
  EXPECT_NEAR(sim.now() - before_waits, 2.05, 1e-9);

  const auto tones = sim.tones();
  ASSERT_EQ(tones.size(), 3u);
  EXPECT_EQ(tones[0].frequency_hz, 1000);
  EXPECT_EQ(tones[0].duration_ms, 200);
  EXPECT_NEAR(tones[0].start_seconds, before_waits + 1.5, 1e-9);
  EXPECT_EQ(tones[1].frequency_hz, 0);
  EXPECT_NEAR(tones[1].start_seconds, before_waits + 1.7, 1e-9);
  EXPECT_EQ(tones[2].duration_ms, -5);
  ASSERT_EQ(sim.pauses().size(), 2u);
  EXPECT_EQ(sim.pauses()[1].duration_ms, -20);
  EXPECT_NEAR(sim.pauses()[1].start_seconds, before_waits + 2.05, 1e-9);
}

TEST(SimulatedTime, LocalTimeFollowsTheSimulatedEpochAcrossADayAndMonthEnd) {
  qputenv("TZ", "XST-05:30");  // UTC+5:30: the local date differs from the UTC one near midnight
  tzset();
  const double start = SimulatedTime::epoch_of_local_time({2024, 2, 29, 23, 59, 58, 995});
  std::time_t whole = static_cast<std::time_t>(start);
  const std::tm utc = *std::gmtime(&whole);
  EXPECT_EQ(utc.tm_hour, 18);  // 23:59:58 at UTC+5:30
  EXPECT_EQ(utc.tm_min, 29);

  SimulatedTime sim(start);
  sim.set_read_step(std::chrono::nanoseconds(0));
  display::LocalTime local = sim.local_time();
  EXPECT_EQ(local.day, 29);
  EXPECT_EQ(local.second, 58);
  EXPECT_EQ(local.millisecond, 995);

  sim.sleep_ms(1009);  // 23:59:59.999 + 5 ms
  local = sim.local_time();
  EXPECT_EQ(local.second, 0);
  EXPECT_EQ(local.millisecond, 4);
  EXPECT_EQ(local.year, 2024);
  EXPECT_EQ(local.month, 3);
  EXPECT_EQ(local.day, 1);
  EXPECT_EQ(local.hour, 0);
  EXPECT_EQ(local.minute, 0);
}

TEST(SimulatedTime, GuardRoutesTheLayerOperationsToTheInstalledService) {
  SimulatedTime sim(5000.0);
  {
    TimeSoundServiceGuard guard(sim);
    EXPECT_EQ(&display::time_sound_service(), &sim);
    const double first = read_epoch_seconds();
    sleep_ms(250);
    beep(523, 300);
    EXPECT_NEAR(read_epoch_seconds() - first, 0.55001, 1e-9);
    int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, hundredths = 0;
    read_date(year, month, day);
    read_time_of_day(hour, minute, second, hundredths);
    EXPECT_EQ(hundredths, 55);  // 0.550 s (plus a few read steps) past a whole second
    ASSERT_EQ(sim.tones().size(), 1u);
    EXPECT_EQ(sim.tones()[0].frequency_hz, 523);
  }
  EXPECT_NE(&display::time_sound_service(), &sim);
  const double real = read_epoch_seconds();
  EXPECT_GT(real, 1.6e9);  // the real clock again
}

// A record's stamp is one reading of the clock: 15 us before midnight, with each read moving the clock
// 10 us, a date read apart from the time would give the old day with 00:00:00. Stepping the wall clock
// moves the dates and the epoch, never the steady clock.
TEST(SimulatedTime, OneReadingStampsARecordAcrossMidnightAndTheWallClockStepsAlone) {
  const double midnight = SimulatedTime::epoch_of_local_time({2026, 3, 8, 0, 0, 0, 0});
  SimulatedTime sim(midnight - 15e-6);
  TimeSoundServiceGuard guard(sim);
  int32_t day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
  date_and_time(day, month, year, hour, minute, second);
  EXPECT_EQ(SimulatedTime::epoch_of_local_time({year, month, day, hour, minute, second, 0}), midnight - 1);

  const double steady = read_steady_seconds();
  sim.step_wall_clock(-86400);
  EXPECT_NEAR(read_steady_seconds() - steady, 10e-6, 1e-6);
  EXPECT_NEAR(read_epoch_seconds() - midnight, -86400 + 25e-6, 1e-6);
  date_and_time(day, month, year, hour, minute, second);
  EXPECT_EQ(day, 7);
}

TEST(SimulatedTime, MomentHooksFireInOrderWithTheClockAtTheirMoment) {
  SimulatedTime sim(0.0);
  std::vector<std::string> fired;
  std::vector<double> clock_then;
  auto record = [&](std::string name) {
    return [&, name] {
      fired.push_back(name);
      clock_then.push_back(sim.now());
    };
  };
  sim.at(10.0, record("ten"));
  sim.at(5.0, record("five-a"));
  sim.at(5.0, [&] {
    record("five-b")();
    sim.at(7.5, record("added"));  // registered from a hook, inside the same move
  });
  sim.at(30.0, record("thirty"));

  sim.sleep_ms(20'000);
  EXPECT_EQ(fired, (std::vector<std::string>{"five-a", "five-b", "added", "ten"}));
  EXPECT_EQ(clock_then, (std::vector<double>{5.0, 5.0, 7.5, 10.0}));
  EXPECT_DOUBLE_EQ(sim.now(), 20.0);

  // A moment already passed fires at the next move, at the current time.
  sim.at(1.0, record("late"));
  sim.epoch_seconds();
  ASSERT_EQ(fired.size(), 5u);
  EXPECT_EQ(fired.back(), "late");
  EXPECT_DOUBLE_EQ(clock_then.back(), 20.0);
}

// The program thread busy-polls the clock as the program does while it waits for an answer.
void poll_until(SimulatedTime& sim, double end, std::atomic<bool>& done) {
  while (sim.epoch_seconds() < end) {
  }
  done = true;
}

// A wait for the user moves the clock to the next hook's moment, or else to the deadline; with neither it
// waits in real time for a signal.
TEST(SimulatedTime, WaitForInputMovesTheClockToTheNextHookOrTheDeadline) {
  SimulatedTime sim(1000.0);
  TimeSoundServiceGuard guard(sim);
  std::vector<double> fired;
  sim.at(1002.5, [&] { fired.push_back(sim.now()); });
  display::signal_input();
  wait_for_input(1005.0);
  EXPECT_DOUBLE_EQ(sim.now(), 1000.0) << "a signal since the last call returns at once";
  wait_for_input(1005.0);
  EXPECT_DOUBLE_EQ(sim.now(), 1002.5);
  EXPECT_EQ(fired, std::vector<double>{1002.5});
  wait_for_input(1005.0);
  EXPECT_DOUBLE_EQ(sim.now(), 1005.0);
  wait_for_input(1001.0);
  EXPECT_DOUBLE_EQ(sim.now(), 1005.0) << "the clock never goes back";

  std::thread signaller([] {
    std::this_thread::sleep_for(milliseconds(50));
    display::signal_input();
  });
  wait_for_input(kNoDeadline);
  signaller.join();
  EXPECT_DOUBLE_EQ(sim.now(), 1005.0);
  EXPECT_EQ(sim.input_waits(), 4);
}

TEST(SimulatedTime, HoldStopsThePollingThreadAtItsMomentUntilReleased) {
  SimulatedTime sim(100.0);
  // Act five seconds after the first 1000 Hz tone, whenever the program sounds it.
  sim.on_tone([&](const SimulatedTone& tone) {
    if (tone.frequency_hz == 1000) sim.hold_at(tone.start_seconds + 5.0);
  });
  std::atomic<bool> done{false};
  std::thread program([&] {
    sim.sleep_ms(2000);
    sim.beep(1000, 300);
    poll_until(sim, 110.0, done);
  });

  ASSERT_TRUE(sim.wait_until_held(kPatience));
  EXPECT_NEAR(sim.now(), 107.0, 1e-9);
  std::this_thread::sleep_for(milliseconds(30));
  EXPECT_NEAR(sim.now(), 107.0, 1e-9);  // nothing moves while held
  EXPECT_FALSE(done);

  sim.release();
  EXPECT_FALSE(sim.is_held());
  EXPECT_TRUE(sim.wait_until([&] { return done.load(); }, kPatience));
  EXPECT_TRUE(sim.wait_until_time(110.0, kPatience));
  program.join();
  EXPECT_FALSE(sim.hold_timed_out());
  EXPECT_LT(sim.now(), 110.0 + 1e-3);
}

TEST(SimulatedTime, WaitsGiveUpAndHoldsEndByThemselvesSoNothingHangs) {
  SimulatedTime sim(0.0);
  EXPECT_FALSE(sim.wait_until_held(milliseconds(30)));
  EXPECT_FALSE(sim.wait_until_time(1.0, milliseconds(30)));
  EXPECT_FALSE(sim.wait_until([] { return false; }, milliseconds(30)));

  // Never released: the hold ends after its limit and says so.
  sim.set_hold_limit(milliseconds(50));
  sim.hold_at(0.5);
  std::thread program([&] { sim.sleep_ms(1000); });
  program.join();
  EXPECT_TRUE(sim.hold_timed_out());
  EXPECT_DOUBLE_EQ(sim.now(), 1.0);

  // After close() holds no longer stop anyone.
  sim.set_hold_limit(milliseconds(10'000));
  sim.close();
  sim.hold_at(2.0);
  const auto start = std::chrono::steady_clock::now();
  sim.sleep_ms(2000);
  EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(1000));
}

}  // namespace
}  // namespace zorikan::testing
