// The program's files on Linux: stdio streams over POSIX descriptors; see system_file.h.
#include "common/system_file.h"

#include <fcntl.h>
#include <stdio_ext.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zorikan {
namespace {

// Best effort: a file system that cannot sync a read-only descriptor still gets the rename.
void sync_by_name(const char* name, int flags) {
  const int descriptor = ::open(name, O_RDONLY | O_CLOEXEC | flags);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

}  // namespace

std::FILE* open_system_file(const std::string& name, SystemOpenMode mode) {
  switch (mode) {
    case SystemOpenMode::kCreateNew:
      return std::fopen(name.c_str(), "w+xbe");  // "x": fails rather than truncate a file made meanwhile
    case SystemOpenMode::kReadWrite:
      return std::fopen(name.c_str(), "r+be");
    case SystemOpenMode::kReadOnly:
      return std::fopen(name.c_str(), "rbe");
    case SystemOpenMode::kCreateOrTruncate:
      return std::fopen(name.c_str(), "w+be");
  }
  errno = EINVAL;
  return nullptr;
}

bool cut_system_file(std::FILE* file, long length) {
  return ::ftruncate(::fileno(file), length) == 0;
}

void drop_unwritten_bytes(std::FILE* file) {
  __fpurge(file);
}

int read_byte(std::FILE* file) {
  return getc_unlocked(file);
}

bool sync_system_file(std::FILE* file) {
  return std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
}

std::string replace_file_durably(const std::string& replacement, const std::string& target) {
  sync_by_name(replacement.c_str(), 0);
  if (std::rename(replacement.c_str(), target.c_str()) != 0) return std::strerror(errno);
  // The rename itself lives in the folder's entries.
  const size_t slash = target.find_last_of('/');
  sync_by_name(slash == std::string::npos ? "." : target.substr(0, slash + 1).c_str(), O_DIRECTORY);
  return {};
}

}  // namespace zorikan
