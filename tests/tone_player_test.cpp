// Tones: the synthesised wave, the player's silent fallbacks (no server, a server that never answers, an
// interruption), and, where PulseAudio is installed, a real tone recorded back from a null sink.
#include "display/tone_player.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include "display/display.h"
#include "display/interruptible_wait.h"
#include "display/tone_wave.h"
#include "tests/support/display_harness.h"
#include "tests/support/temp_work_dir.h"
#include "tests/support/xvfb_server.h"

extern char** environ;

namespace zorikan::display {
namespace {

using std::chrono::milliseconds;
using testing::end_program;
using testing::spawn_program;
using std::chrono::steady_clock;

constexpr int32_t kRate = 44100;

int64_t elapsed_ms(steady_clock::time_point since) {
  return std::chrono::duration_cast<milliseconds>(steady_clock::now() - since).count();
}

// Sign changes between the first and last sample louder than `threshold`, and that stretch's length.
struct ToneShape {
  int64_t first = -1;
  int64_t last = -1;
  int64_t crossings = 0;
  double frequency(int32_t rate) const { return crossings / 2.0 / ((last - first) / double(rate)); }
  double length_ms(int32_t rate) const { return (last - first + 1) * 1000.0 / rate; }
};

ToneShape shape_of(const std::vector<int16_t>& samples, int threshold) {
  ToneShape shape;
  for (size_t i = 0; i < samples.size(); ++i) {
    if (std::abs(samples[i]) <= threshold) continue;
    if (shape.first < 0) shape.first = static_cast<int64_t>(i);
    shape.last = static_cast<int64_t>(i);
  }
  for (int64_t i = shape.first + 1; shape.first >= 0 && i <= shape.last; ++i) {
    if ((samples[i - 1] < 0) != (samples[i] < 0)) ++shape.crossings;
  }
  return shape;
}

TEST(ToneWave, IsASineOfItsFrequencyAndLengthWithSmoothEnds) {
  const int64_t count = kRate * 300 / 1000;
  // Pieces of an odd size: the phase must run on across them exactly as in one piece.
  std::vector<int16_t> whole(count), pieced;
  ToneWave one(440, count, kRate);
  ASSERT_EQ(one.next(whole), static_cast<size_t>(count));
  EXPECT_EQ(one.next(whole), 0u);
  ToneWave many(440, count, kRate);
  std::vector<int16_t> piece(997);
  while (const size_t n = many.next(piece)) pieced.insert(pieced.end(), piece.begin(), piece.begin() + n);
  EXPECT_EQ(pieced, whole);

  const ToneShape shape = shape_of(whole, 0);
  EXPECT_NEAR(shape.frequency(kRate), 440.0, 440.0 * 0.01);
  const auto [low, high] = std::minmax_element(whole.begin(), whole.end());
  EXPECT_NEAR(*high, kToneAmplitude, 2);
  EXPECT_NEAR(*low, -kToneAmplitude, 2);
  // Fades: silent at both ends, and no step anywhere larger than the steepest slope of the sine.
  EXPECT_EQ(whole.front(), 0);
  EXPECT_LT(std::abs(whole.back()), 50);
  const double steepest = kToneAmplitude * 2 * std::numbers::pi * 440 / kRate;
  for (size_t i = 1; i < whole.size(); ++i) ASSERT_LE(std::abs(whole[i] - whole[i - 1]), steepest + 2) << i;
  // The first 5 ms stay below full amplitude, then the sine reaches it.
  const auto fade_end = whole.begin() + kRate * kToneFadeMs / 1000;
  EXPECT_LT(*std::max_element(whole.begin(), fade_end - 40), kToneAmplitude * 0.95);

  // Tones shorter than two fades and empty ones.
  std::vector<int16_t> tiny(8, 1);
  EXPECT_EQ(ToneWave(1000, 3, kRate).next(tiny), 3u);
  EXPECT_EQ(ToneWave(1000, 0, kRate).next(tiny), 0u);
  EXPECT_EQ(ToneWave(1000, -5, kRate).next(tiny), 0u);
}

TonePlayerSettings unreachable_server() {
  TonePlayerSettings settings;
  settings.server = "unix:/nonexistent-zorikan-dir/pulse/native";
  return settings;
}

TEST(TonePlayer, NoDurationAndNoToneReturnAtOnce) {
  TonePlayer player(unreachable_server());
  const auto start = steady_clock::now();
  EXPECT_EQ(player.play(440, 0), ToneOutcome::kNothing);
  EXPECT_EQ(player.play(440, -200), ToneOutcome::kNothing);
  EXPECT_EQ(player.play(0, std::numeric_limits<int32_t>::min()), ToneOutcome::kNothing);
  // 0 Hz, a negative frequency and one the sample rate cannot carry are silences.
  for (const int32_t frequency : {0, -440, kRate / 2, 1'000'000}) {
    EXPECT_EQ(player.play(frequency, 350), ToneOutcome::kSilence) << frequency;
  }
  EXPECT_LT(elapsed_ms(start), 100);
}

TEST(TonePlayer, WithoutServerEveryToneIsASilentWaitOfItsDuration) {
  TonePlayer player(unreachable_server());
  for (const int32_t duration : {300, 100, 200}) {
    const auto start = steady_clock::now();
    EXPECT_EQ(player.play(440, duration), ToneOutcome::kNoSound);
    EXPECT_GE(elapsed_ms(start), duration);
    EXPECT_LT(elapsed_ms(start), duration + 500);
  }
}

// A socket that accepts connections into its backlog and never answers: a hung sound server.
class SilentServer {
 public:
  explicit SilentServer(const std::filesystem::path& path) : fd_(socket(AF_UNIX, SOCK_STREAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    listening_ = fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                 listen(fd_, 8) == 0;
  }
  ~SilentServer() {
    if (fd_ >= 0) close(fd_);
  }
  bool listening() const { return listening_; }

 private:
  int fd_;
  bool listening_ = false;
};

TEST(TonePlayer, ServerThatNeverAnswersDelaysToneByAtMostTheGracePeriod) {
  zorikan::testing::TempWorkDir dir;
  SilentServer server(dir.path() / "native");
  ASSERT_TRUE(server.listening());
  TonePlayerSettings settings;
  settings.server = "unix:" + (dir.path() / "native").string();
  settings.grace = milliseconds(250);
  TonePlayer player(settings);

  auto start = steady_clock::now();
  EXPECT_EQ(player.play(440, 200), ToneOutcome::kGaveUp);
  EXPECT_GE(elapsed_ms(start), 450);
  EXPECT_LT(elapsed_ms(start), 1200);

  // The worker is still stuck in the server: the next tones wait silently, without the grace period.
  for (int i = 0; i < 2; ++i) {
    start = steady_clock::now();
    EXPECT_EQ(player.play(440, 200), ToneOutcome::kWorkerBusy);
    EXPECT_GE(elapsed_ms(start), 200);
    EXPECT_LT(elapsed_ms(start), 400);
  }
}

std::atomic<bool> g_interrupt{false};
bool interrupt_requested() {
  return g_interrupt;
}

TEST(TonePlayer, InterruptionEndsTonesAndWaitsEarly) {
  TonePlayerSettings settings = unreachable_server();
  settings.interrupted = &interrupt_requested;
  TonePlayer player(settings);
  std::thread stopper([] {
    std::this_thread::sleep_for(milliseconds(80));
    g_interrupt = true;
  });
  auto start = steady_clock::now();
  EXPECT_EQ(player.play(440, 10'000), ToneOutcome::kInterrupted);
  EXPECT_LT(elapsed_ms(start), 1000);
  stopper.join();
  // Already interrupted: a plain wait does not sleep at all.
  start = steady_clock::now();
  EXPECT_FALSE(wait_until(steady_clock::now() + milliseconds(500), &interrupt_requested));
  EXPECT_TRUE(wait_until(steady_clock::now() + milliseconds(30), nullptr));
  EXPECT_LT(elapsed_ms(start), 200);
}

// ---- A real sound server --------------------------------------------------------------------------

std::string find_program(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string directories = path != nullptr ? path : "/usr/bin:/bin";
  size_t begin = 0;
  while (begin <= directories.size()) {
    const size_t end = std::min(directories.find(':', begin), directories.size());
    const std::filesystem::path candidate =
        std::filesystem::path(directories.substr(begin, end - begin)) / name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
    begin = end + 1;
  }
  return {};
}

bool wait_for(const std::function<bool()>& condition, milliseconds timeout) {
  const auto deadline = steady_clock::now() + timeout;
  while (!condition()) {
    if (steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(milliseconds(10));
  }
  return true;
}

// A PulseAudio server of our own with one null sink, in a temporary runtime and home directory.
class PrivateSoundServer {
 public:
  explicit PrivateSoundServer(const std::filesystem::path& dir) : socket_(dir / "native") {
    const std::vector<std::string> own_directories = {"XDG_RUNTIME_DIR=" + dir.string(),
                                                      "HOME=" + dir.string()};
    client_environment_ = own_directories;
    client_environment_.push_back("PULSE_SERVER=" + address());
    // The sink is loaded before the socket opens, so a client that sees the socket finds the sink.
    pid_ = spawn_program({find_program("pulseaudio"), "-n", "--daemonize=no", "--use-pid-file=no",
                          "--exit-idle-time=-1", "--load=module-null-sink sink_name=nul",
                          "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket_.string()},
                         own_directories, {}, dir / "server.out");
  }
  ~PrivateSoundServer() { end_program(pid_); }
  bool started() const {
    return pid_ > 0 && wait_for([this] { return std::filesystem::exists(socket_); }, milliseconds(5000));
  }
  std::string address() const { return "unix:" + socket_.string(); }
  // For a client program such as parec.
  const std::vector<std::string>& client_environment() const { return client_environment_; }

 private:
  std::filesystem::path socket_;
  std::vector<std::string> client_environment_;
  pid_t pid_ = -1;
};

std::vector<int16_t> read_samples(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<int16_t> samples(bytes.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) | (bytes[2 * i + 1] << 8));
  }
  return samples;
}

TEST(TonePlayer, PlaysTheToneThroughARealSoundServer) {
  const std::string parec = find_program("parec");
  if (find_program("pulseaudio").empty() || parec.empty()) {
    GTEST_SKIP() << "pulseaudio and parec (Debian packages pulseaudio, pulseaudio-utils) are not installed; "
                    "the tone is not checked on a real sound server";
  }
  zorikan::testing::TempWorkDir dir;
  PrivateSoundServer server(dir.path());
  ASSERT_TRUE(server.started()) << "pulseaudio did not open its socket; see " << dir.path() / "server.out";

  TonePlayerSettings settings;
  settings.server = server.address();
  TonePlayer player(settings);
  // The first tone opens the stream and is not recorded. While it had no stream the null sink rendered in
  // blocks of up to two seconds, and the first tone waits for the current block to end: the player
  // gives up on it and waits silently while its worker is busy. Later tones play on time.
  bool played = false;
  for (int i = 0; i < 100 && !played; ++i) played = player.play(1000, 50) == ToneOutcome::kPlayed;
  ASSERT_TRUE(played) << "no tone could be played on the private server";

  const auto recording = dir.path() / "recording.raw";
  const pid_t recorder = spawn_program({parec, "--raw", "--device=nul.monitor", "--format=s16le",
                                        "--rate=44100", "--channels=1", "--latency-msec=10"},
                                       server.client_environment(), {}, recording);
  ASSERT_GT(recorder, 0);
  // The monitor delivers silence as soon as the recorder runs.
  const bool recording_started = wait_for(
      [&] { return std::filesystem::exists(recording) && std::filesystem::file_size(recording) > 8820; },
      milliseconds(5000));
  if (!recording_started) end_program(recorder);
  ASSERT_TRUE(recording_started);

  const auto start = steady_clock::now();
  const ToneOutcome outcome = player.play(440, 300);
  const int64_t took = elapsed_ms(start);
  std::this_thread::sleep_for(milliseconds(300));
  end_program(recorder);

  EXPECT_EQ(outcome, ToneOutcome::kPlayed);
  EXPECT_GE(took, 280);
  EXPECT_LT(took, 350);
  const ToneShape shape = shape_of(read_samples(recording), 1000);
  ASSERT_GE(shape.first, 0) << "nothing was recorded";
  EXPECT_NEAR(shape.length_ms(kRate), 300, 15);
  EXPECT_NEAR(shape.frequency(kRate), 440, 440 * 0.02);
}

// The first tone of a run as the layer plays it, recorded from the start at the server's default
// latency, the sink having had no stream before: the layer connects and starts its stream as it starts,
// so by the time the dialog and the first grey second are over, its first tone sounds whole and blocks
// for its length, as every later tone does.
TEST(TonePlayer, TheFirstToneOfARunSoundsWholeAndBlocksForItsLength) {
  const std::string parec = find_program("parec");
  if (find_program("pulseaudio").empty() || parec.empty())
    GTEST_SKIP() << "pulseaudio and parec are not installed";
  zorikan::testing::TempWorkDir dir;
  PrivateSoundServer server(dir.path());
  ASSERT_TRUE(server.started()) << "pulseaudio did not open its socket; see " << dir.path() / "server.out";
  const auto recording = dir.path() / "recording.raw";
  const pid_t recorder = spawn_program(
      {parec, "--raw", "--device=nul.monitor", "--format=s16le", "--rate=44100", "--channels=1"},
      server.client_environment(), {}, recording);
  ASSERT_GT(recorder, 0);
  setenv("PULSE_SERVER", server.address().c_str(), 1);
  std::atomic<int64_t> took{-1};
  const int code = zorikan::testing::run_display(
      [&] {
        set_exit_behaviour(2);
        std::this_thread::sleep_for(milliseconds(2500));
        const auto start = steady_clock::now();
        beep(1000, 200);
        took = elapsed_ms(start);
        stop_program();
      },
      {});
  std::this_thread::sleep_for(milliseconds(300));
  end_program(recorder);

  EXPECT_EQ(code, 0);
  EXPECT_GE(took, 200);
  EXPECT_LT(took, 260);
  const ToneShape shape = shape_of(read_samples(recording), 1000);
  ASSERT_GE(shape.first, 0) << "nothing was recorded";
  EXPECT_NEAR(shape.length_ms(kRate), 200, 15);
  EXPECT_NEAR(shape.frequency(kRate), 1000, 1000 * 0.02);
}

}  // namespace
}  // namespace zorikan::display
