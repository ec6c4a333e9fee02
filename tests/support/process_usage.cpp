// Reading the process's resident memory and open handles; see process_usage.h.
#include "tests/support/process_usage.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace zorikan::testing {

int64_t resident_pages() {
  std::ifstream statm("/proc/self/statm");
  int64_t size = 0;
  int64_t resident = -1;
  statm >> size >> resident;
  return statm ? resident : -1;
}

int64_t open_file_handles() {
  return static_cast<int64_t>(open_file_handle_names().size());
}

std::vector<std::string> open_file_handle_names() {
  // The listing's own handle is open on the listed folder.
  const std::string listing = "/proc/" + std::to_string(getpid()) + "/fd";
  std::map<int, std::string> names;
  std::error_code error;
  for (auto it = std::filesystem::directory_iterator("/proc/self/fd", error);
       !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    std::error_code unreadable;
    const std::string name = std::filesystem::read_symlink(it->path(), unreadable).string();
    if (name != listing) names[std::stoi(it->path().filename().string())] = name;
  }
  std::vector<std::string> listed;
  for (auto& [number, name] : names) listed.push_back(std::move(name));
  return listed;
}

}  // namespace zorikan::testing
