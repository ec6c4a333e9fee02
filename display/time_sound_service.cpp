// The real time-and-sound service and the switch that lets tests install another; see
// time_sound_service.h.
#include "display/time_sound_service.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <ctime>

#include "display/input_signal.h"
#include "display/interruptible_wait.h"
#include "display/local_calendar.h"
#include "display/stop_point.h"
#include "display/tone_player.h"

namespace zorikan::display {
namespace {

class RealTimeSoundService final : public TimeSoundService {
 public:
  RealTimeSoundService() : player_(settings()) {}

  void connect() { player_.connect(); }

  double epoch_seconds() override {
    const auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
    const auto whole = std::chrono::floor<std::chrono::seconds>(since_epoch);
    const auto fraction = std::chrono::duration_cast<std::chrono::nanoseconds>(since_epoch - whole);
    // Whole seconds and the fraction are converted apart so the sum is rounded only once.
    return static_cast<double>(whole.count()) + static_cast<double>(fraction.count()) * 1e-9;
  }

  double steady_seconds() override {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
  }

  LocalTime local_time() override {
    const auto now = std::chrono::system_clock::now();
    const auto whole = std::chrono::floor<std::chrono::seconds>(now);
    return local_time_at(
        std::chrono::system_clock::to_time_t(whole),
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(now - whole).count()));
  }

  void sleep_ms(int32_t milliseconds) override {
    if (milliseconds <= 0) return;
    wait_until(std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds), &stop_requested);
  }

  void beep(int32_t frequency_hz, int32_t duration_ms) override { player_.play(frequency_hz, duration_ms); }

  // A stop request gives an input signal too, so the sleep needs no slicing.
  void wait_for_input(double deadline_seconds, uint64_t seen) override {
    auto deadline = std::chrono::steady_clock::time_point::max();
    if (std::isfinite(deadline_seconds)) {
      const double left = deadline_seconds - steady_seconds();
      if (left <= 0) return;
      using Steady = std::chrono::steady_clock;
      const std::chrono::duration<double> rest(left);
      deadline = Steady::now() + std::chrono::duration_cast<Steady::duration>(rest);
    }
    if (stop_requested()) return;
    wait_for_input_signal(seen, deadline);
  }

 private:
  static TonePlayerSettings settings() {
    TonePlayerSettings tone_settings;
    tone_settings.interrupted = &stop_requested;
    return tone_settings;
  }

  TonePlayer player_;
};

// Never destroyed: its tone worker may still sit in the sound server while the process exits.
RealTimeSoundService& real_service() {
  static auto* const service = new RealTimeSoundService();
  return *service;
}

std::atomic<TimeSoundService*> installed_service{nullptr};

}  // namespace

LocalTime local_time_at(std::time_t seconds, int millisecond) {
  const std::tm fields = local_calendar_fields(seconds);
  LocalTime local;
  local.year = fields.tm_year + 1900;
  local.month = fields.tm_mon + 1;
  local.day = fields.tm_mday;
  local.hour = fields.tm_hour;
  local.minute = fields.tm_min;
  local.second = fields.tm_sec;
  local.millisecond = millisecond;
  return local;
}

TimeSoundService& time_sound_service() {
  TimeSoundService* const service = installed_service.load(std::memory_order_acquire);
  return service != nullptr ? *service : real_service();
}

void set_time_sound_service(TimeSoundService* service) {
  installed_service.store(service, std::memory_order_release);
}

void connect_sound() {
  if (installed_service.load(std::memory_order_acquire) == nullptr) real_service().connect();
}

}  // namespace zorikan::display
