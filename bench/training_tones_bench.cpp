// The training run's four tones for real: a PulseAudio server of the benchmark's own with a null sink,
// parec recording the sink's monitor while the Display layer's tone player (what beep plays through)
// sounds each tone after a warm-up tone. Per tone: "blocked_ms", how long the call blocked (target d to
// d + 10 ms), "sounded_ms", the recorded tone's length (target d +- 2 ms), and "hz", its frequency from
// the zero crossings (target +- 1 %). Skipped where pulseaudio or parec is missing.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "display/tone_player.h"
#include "tests/support/xvfb_server.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;
constexpr int kRate = 44100;

void sleep_ms(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::vector<int16_t> samples_of(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples(bytes.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) | (bytes[2 * i + 1] << 8));
  }
  return samples;
}

// The stretch louder than the threshold: its length in ms and its frequency from the sign changes.
void measure(const std::vector<int16_t>& samples, double& length_ms, double& hz) {
  long first = -1, last = -1, crossings = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    if (std::abs(samples[i]) <= 300) continue;
    if (first < 0) first = static_cast<long>(i);
    last = static_cast<long>(i);
  }
  for (long i = first + 1; first >= 0 && i <= last; ++i)
    crossings += (samples[i - 1] < 0) != (samples[i] < 0);
  length_ms = first < 0 ? 0 : (last - first + 1) * 1000.0 / kRate;
  hz = first < 0 ? 0 : crossings / 2.0 / ((last - first) / double(kRate));
}

void BM_TrainingTone(benchmark::State& state) {
  if (access("/usr/bin/pulseaudio", X_OK) != 0 || access("/usr/bin/parec", X_OK) != 0) {
    state.SkipWithError("pulseaudio or parec is not installed");
    return;
  }
  const auto frequency = static_cast<int32_t>(state.range(0));
  const auto duration = static_cast<int32_t>(state.range(1));
  const fs::path dir = fs::temp_directory_path() / ("zorikan_tones_" + std::to_string(getpid()));
  fs::create_directories(dir);
  const fs::path socket = dir / "native";
  const std::vector<std::string> own = {"XDG_RUNTIME_DIR=" + dir.string(), "HOME=" + dir.string()};
  const pid_t server = zorikan::testing::spawn_program(
      {"/usr/bin/pulseaudio", "-n", "--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1",
       "--load=module-null-sink sink_name=nul",
       "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket.string()},
      own, {}, dir / "server.out");
  for (int i = 0; i < 250 && !fs::exists(socket); ++i) sleep_ms(20);
  zorikan::display::TonePlayerSettings settings;
  settings.server = "unix:" + socket.string();
  zorikan::display::TonePlayer player(settings);
  // Warm-up: the first tone after start opens the stream and may be cut short.
  for (int i = 0; i < 100 && player.play(1000, 50) != zorikan::display::ToneOutcome::kPlayed; ++i) {
  }
  double blocked_ms = 0, sounded_ms = 0, hz = 0;
  int rounds = 0;
  for (auto _ : state) {
    const fs::path recording = dir / "recording.raw";
    std::vector<std::string> client(own);
    client.push_back("PULSE_SERVER=unix:" + socket.string());
    const pid_t recorder =
        zorikan::testing::spawn_program({"/usr/bin/parec", "--raw", "--device=nul.monitor", "--format=s16le",
                                         "--rate=44100", "--channels=1", "--latency-msec=10"},
                                        client, {}, recording);
    for (int i = 0; i < 250 && (!fs::exists(recording) || fs::file_size(recording) < 8820); ++i) sleep_ms(20);
    const auto start = Clock::now();
    player.play(frequency, duration);
    blocked_ms += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    sleep_ms(300);
    zorikan::testing::end_program(recorder);
    double length = 0, frequency_found = 0;
    measure(samples_of(recording), length, frequency_found);
    sounded_ms += length;
    hz += frequency_found;
    ++rounds;
  }
  zorikan::testing::end_program(server);
  fs::remove_all(dir);
  state.counters["blocked_ms"] = blocked_ms / rounds;
  state.counters["sounded_ms"] = sounded_ms / rounds;
  state.counters["hz"] = hz / rounds;
}
// Opening tone, correct, wrong, missed.
BENCHMARK(BM_TrainingTone)
    ->Args({1000, 200})
    ->Args({800, 200})
    ->Args({200, 300})
    ->Args({400, 300})
    ->ArgNames({"hz", "ms"})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
