// An Xvfb server of the test's own, started on a free display number and stopped at the end.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace zorikan::testing {

class XvfbServer {
 public:
  // Starts Xvfb with one 1280 x 1024 x 24 screen; started() tells whether it came up. The server does
  // not reset when its last client leaves, so programs started one after the other always find it.
  XvfbServer();
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool started() const { return pid_ > 0; }
  const std::string& display() const { return display_; }
  const std::string& failure() const { return failure_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
  std::string failure_;
};

// Starts a program with extra environment entries ("NAME=value"), in `directory` when one is given, its
// standard output going to `output` and its standard error to `errors` when they are given; returns its
// pid or -1.
pid_t spawn_program(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
                    const std::filesystem::path& directory = {}, const std::filesystem::path& output = {},
                    const std::filesystem::path& errors = {});

// Asks the program to end (SIGTERM), gives it 2 s, then kills it; reaps it either way.
void end_program(pid_t pid);

// A program built beside the tests' directory: <build>/<name>, the running test being <build>/tests/...
std::filesystem::path program_beside_tests(const std::string& name);

// Runs a tool (xdotool, import) on the display and waits up to `seconds`; true when it exited with 0.
bool run_on_display(const std::vector<std::string>& arguments, const std::string& display,
                    double seconds = 20);

// Waits up to `seconds` for a window titled `title` (UTF-8) on the display; false when none came.
bool wait_for_window(const std::string& title, const std::string& display, double seconds);

// Waits up to `seconds` for a non-empty file `name` to appear; false when it did not.
bool wait_for_file(const std::string& name, double seconds);

// Waits up to `seconds` for the process to end; returns its exit status, or -1 (then it is killed).
int wait_for_exit(pid_t pid, double seconds);

}  // namespace zorikan::testing
