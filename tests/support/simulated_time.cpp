// The simulated time-and-sound service; see simulated_time.h.
#include "tests/support/simulated_time.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <limits>

#include "display/input_signal.h"

namespace zorikan::testing {
namespace {

constexpr int64_t kNanosPerSecond = 1'000'000'000;
constexpr int64_t kNanosPerMilli = 1'000'000;

double to_seconds(int64_t ns) {
  const int64_t whole = ns >= 0 ? ns / kNanosPerSecond : -((-ns + kNanosPerSecond - 1) / kNanosPerSecond);
  return static_cast<double>(whole) + static_cast<double>(ns - whole * kNanosPerSecond) * 1e-9;
}

// A double near 1.7e9 carries no digit below a quarter of a microsecond, so moments given in seconds are
// taken to the nearest microsecond: 1700000000.995 then means exactly .995, not .99499988.
int64_t to_nanos(double seconds) {
  return std::llround(seconds * 1e6) * 1000;
}

display::LocalTime local_time_of(int64_t ns) {
  const int64_t whole = (ns >= 0 ? ns : ns - (kNanosPerSecond - 1)) / kNanosPerSecond;
  return display::local_time_at(static_cast<std::time_t>(whole),
                                static_cast<int>((ns - whole * kNanosPerSecond) / kNanosPerMilli));
}

}  // namespace

SimulatedTime::SimulatedTime(double start_epoch_seconds) : now_ns_(to_nanos(start_epoch_seconds)) {}

SimulatedTime::~SimulatedTime() {
  close();
}

double SimulatedTime::epoch_of_local_time(const display::LocalTime& local) {
  std::tm fields{};
  fields.tm_year = local.year - 1900;
  fields.tm_mon = local.month - 1;
  fields.tm_mday = local.day;
  fields.tm_hour = local.hour;
  fields.tm_min = local.minute;
  fields.tm_sec = local.second;
  fields.tm_isdst = -1;  // let the zone's rules decide
  return static_cast<double>(std::mktime(&fields)) + local.millisecond / 1000.0;
}

void SimulatedTime::set_read_step(std::chrono::nanoseconds step) {
  std::lock_guard lock(mutex_);
  read_step_ns_ = std::max<int64_t>(step.count(), 0);
}

void SimulatedTime::set_hold_limit(std::chrono::milliseconds limit) {
  std::lock_guard lock(mutex_);
  hold_limit_ = limit;
}

void SimulatedTime::count_read_and_step() {
  int64_t step = 0;
  {
    std::lock_guard lock(mutex_);
    ++reads_;
    step = read_step_ns_;
  }
  advance(step);
}

double SimulatedTime::epoch_seconds() {
  count_read_and_step();
  return wall_now();
}

double SimulatedTime::steady_seconds() {
  count_read_and_step();
  return now();
}

display::LocalTime SimulatedTime::local_time() {
  count_read_and_step();
  std::lock_guard lock(mutex_);
  return local_time_of(now_ns_ + wall_offset_ns_);
}

void SimulatedTime::step_wall_clock(double seconds) {
  std::lock_guard lock(mutex_);
  wall_offset_ns_ += to_nanos(seconds);
  changed_locked();
}

void SimulatedTime::set_keeps_history(bool keep) {
  std::lock_guard lock(mutex_);
  keeps_history_ = keep;
}

void SimulatedTime::sleep_ms(int32_t milliseconds) {
  {
    std::lock_guard lock(mutex_);
    if (keeps_history_) pauses_.push_back({milliseconds, to_seconds(now_ns_)});
    changed_locked();
  }
  advance(std::max<int64_t>(milliseconds, 0) * kNanosPerMilli);
}

void SimulatedTime::beep(int32_t frequency_hz, int32_t duration_ms) {
  SimulatedTone tone;
  std::vector<std::function<void(const SimulatedTone&)>> hooks;
  {
    std::lock_guard lock(mutex_);
    tone = {frequency_hz, duration_ms, to_seconds(now_ns_)};
    if (keeps_history_) tones_.push_back(tone);
    hooks = tone_hooks_;
    changed_locked();
  }
  for (const auto& hook : hooks) hook(tone);
  advance(std::max<int64_t>(duration_ms, 0) * kNanosPerMilli);
}

void SimulatedTime::wait_for_input(double deadline_seconds, uint64_t seen) {
  int64_t step = -1;
  std::chrono::milliseconds limit{};
  {
    std::lock_guard lock(mutex_);
    ++input_waits_;
    limit = hold_limit_;
    int64_t target = std::numeric_limits<int64_t>::max();
    if (std::isfinite(deadline_seconds)) target = to_nanos(deadline_seconds);
    if (!moment_hooks_.empty()) target = std::min(target, moment_hooks_.begin()->first.first);
    if (target != std::numeric_limits<int64_t>::max()) step = std::max<int64_t>(target - now_ns_, 0);
    changed_locked();
  }
  if (step >= 0) {
    advance(step);
    return;
  }
  display::wait_for_input_signal(seen, std::chrono::steady_clock::now() + limit);
}

double SimulatedTime::now() const {
  std::lock_guard lock(mutex_);
  return to_seconds(now_ns_);
}

double SimulatedTime::wall_now() const {
  std::lock_guard lock(mutex_);
  return to_seconds(now_ns_ + wall_offset_ns_);
}

std::vector<SimulatedTone> SimulatedTime::tones() const {
  std::lock_guard lock(mutex_);
  return tones_;
}

std::vector<SimulatedPause> SimulatedTime::pauses() const {
  std::lock_guard lock(mutex_);
  return pauses_;
}

int64_t SimulatedTime::clock_reads() const {
  std::lock_guard lock(mutex_);
  return reads_;
}

int64_t SimulatedTime::input_waits() const {
  std::lock_guard lock(mutex_);
  return input_waits_;
}

bool SimulatedTime::hold_timed_out() const {
  std::lock_guard lock(mutex_);
  return hold_timed_out_;
}

void SimulatedTime::at(double moment_seconds, std::function<void()> action) {
  std::lock_guard lock(mutex_);
  moment_hooks_.emplace(std::make_pair(to_nanos(moment_seconds), hooks_registered_++), std::move(action));
}

void SimulatedTime::on_tone(std::function<void(const SimulatedTone&)> action) {
  std::lock_guard lock(mutex_);
  tone_hooks_.push_back(std::move(action));
}

void SimulatedTime::advance(int64_t step_ns) {
  std::unique_lock lock(mutex_);
  // Fixed at the start: a hook that reads the clock moves it on, but this move still ends here.
  const int64_t target = now_ns_ + step_ns;
  for (;;) {
    const auto first = moment_hooks_.begin();
    if (first == moment_hooks_.end() || first->first.first > target) break;
    now_ns_ = std::max(now_ns_, first->first.first);
    std::function<void()> action = std::move(first->second);
    moment_hooks_.erase(first);
    changed_locked();
    lock.unlock();
    action();
    lock.lock();
  }
  now_ns_ = std::max(now_ns_, target);
  changed_locked();
}

void SimulatedTime::hold() {
  std::unique_lock lock(mutex_);
  if (closing_) return;
  const uint64_t number = ++holds_started_;
  held_ = true;
  changed_locked();
  const bool released =
      changed_.wait_for(lock, hold_limit_, [&] { return closing_ || holds_released_ >= number; });
  if (!released) {
    hold_timed_out_ = true;
    holds_released_ = number;
    held_ = false;
    changed_locked();
  }
}

void SimulatedTime::hold_at(double moment_seconds) {
  at(moment_seconds, [this] { hold(); });
}

bool SimulatedTime::is_held() const {
  std::lock_guard lock(mutex_);
  return held_;
}

bool SimulatedTime::wait_until_held(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [this] { return held_; });
}

void SimulatedTime::release() {
  std::lock_guard lock(mutex_);
  holds_released_ = holds_started_;
  held_ = false;
  changed_locked();
}

void SimulatedTime::close() {
  std::lock_guard lock(mutex_);
  closing_ = true;
  holds_released_ = holds_started_;
  held_ = false;
  changed_locked();
}

bool SimulatedTime::wait_until(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    uint64_t seen = 0;
    {
      std::lock_guard lock(mutex_);
      seen = generation_;
    }
    if (condition()) return true;
    std::unique_lock lock(mutex_);
    if (!changed_.wait_until(lock, deadline, [&] { return generation_ != seen; })) {
      lock.unlock();
      return condition();
    }
  }
}

bool SimulatedTime::wait_until_time(double moment_seconds, std::chrono::milliseconds timeout) {
  const int64_t moment_ns = to_nanos(moment_seconds);
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return now_ns_ >= moment_ns; });
}

void SimulatedTime::changed_locked() {
  ++generation_;
  changed_.notify_all();
}

}  // namespace zorikan::testing
