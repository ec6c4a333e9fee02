// Reading the process's resident memory and open handles; see process_usage.h.
#include "tests/support/process_usage.h"

#include <filesystem>
#include <fstream>

namespace zorikan::testing {

int64_t resident_pages() {
  std::ifstream statm("/proc/self/statm");
  int64_t size = 0;
  int64_t resident = -1;
  statm >> size >> resident;
  return statm ? resident : -1;
}

int64_t open_file_handles() {
  int64_t count = 0;
  std::error_code error;
  for (auto it = std::filesystem::directory_iterator("/proc/self/fd", error);
       !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    ++count;
  }
  return count - 1;  // the directory listing's own handle
}

}  // namespace zorikan::testing
