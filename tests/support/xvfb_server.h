// An Xvfb server of the test's own, started on a free display number and stopped at the end.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace zorikan::testing {

class XvfbServer {
 public:
  // Starts Xvfb with one 1280 x 1024 x 24 screen; started() tells whether it came up.
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

// Starts a program with extra environment entries ("NAME=value"); returns its pid or -1.
pid_t spawn_program(const std::vector<std::string>& arguments, const std::vector<std::string>& environment);

// Waits up to `seconds` for a non-empty file `name` to appear; false when it did not.
bool wait_for_file(const std::string& name, double seconds);

// Waits up to `seconds` for the process to end; returns its exit status, or -1 (then it is killed).
int wait_for_exit(pid_t pid, double seconds);

}  // namespace zorikan::testing
