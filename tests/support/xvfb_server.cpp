#include "tests/support/xvfb_server.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

extern char** environ;

namespace zorikan::testing {
namespace {

constexpr char kXvfb[] = "/usr/bin/Xvfb";

}  // namespace

pid_t spawn_program(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                    const std::filesystem::path& directory, const std::filesystem::path& output,
                    const std::filesystem::path& errors) {
  std::vector<std::string> variables;
  for (char** entry = environ; *entry != nullptr; ++entry) variables.emplace_back(*entry);
  for (const auto& extra : environment) {
    const std::string name = extra.substr(0, extra.find('=') + 1);
    std::erase_if(variables, [&](const std::string& v) { return v.starts_with(name); });
    variables.push_back(extra);
  }
  std::vector<char*> argv, envp;
  for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  for (const auto& v : variables) envp.push_back(const_cast<char*>(v.c_str()));
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  if (!output.empty()) {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
  }
  if (!errors.empty()) {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
  }
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

void end_program(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  for (int i = 0; i < 100; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

std::filesystem::path program_beside_tests(const std::string& name) {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / name;
}

bool run_on_display(const std::vector<std::string>& arguments, const std::string& display, double seconds) {
  const pid_t pid = spawn_program(arguments, {"DISPLAY=" + display});
  return pid > 0 && wait_for_exit(pid, seconds) == 0;
}

// xdotool's own --sync looks only every half second; a start-up is timed closer than that.
bool wait_for_window(const std::string& title, const std::string& display, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    if (run_on_display({"/usr/bin/xdotool", "search", "--name", title}, display, 5)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  return false;
}

bool wait_for_file(const std::string& name, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    std::error_code ignored;
    if (std::filesystem::file_size(name, ignored) > 0 && !ignored) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

int wait_for_exit(pid_t pid, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  int status = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return -1;
}

namespace {

// The pid an X server wrote into the lock file of display `number`; -1 while there is none.
pid_t lock_owner(int number) {
  std::ifstream lock("/tmp/.X" + std::to_string(number) + "-lock");
  long owner = -1;
  return lock >> owner ? static_cast<pid_t>(owner) : -1;
}

}  // namespace

XvfbServer::XvfbServer() {
  if (!std::filesystem::exists(kXvfb)) {
    failure_ = "Xvfb is not installed (/usr/bin/Xvfb)";
    return;
  }
  for (int number = 93; number < 140; ++number) {
    if (std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock")) continue;
    const std::string name = ":" + std::to_string(number);
    const pid_t pid =
        spawn_program({kXvfb, name, "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"}, {});
    if (pid < 0) continue;
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    for (int tries = 0; tries < 250; ++tries) {
      // The socket may be another server's that won the number: the lock file names the owner.
      if (std::filesystem::exists(socket) && lock_owner(number) == pid) {
        pid_ = pid;
        display_ = name;
        return;
      }
      if (waitpid(pid, nullptr, WNOHANG) == pid) break;  // lost a race for the number: try the next
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  failure_ = "Xvfb did not start on any display from :93 to :139";
}

XvfbServer::~XvfbServer() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  wait_for_exit(pid_, 5);
}

}  // namespace zorikan::testing
