// The fuzz targets' working directory and stop handlers; see fuzz_support.h.
#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/program_stop.h"

namespace zorikan::fuzz {
namespace {

std::filesystem::path g_work_dir;

void remove_work_dir() {
  std::error_code ignored;
  std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
  std::filesystem::remove_all(g_work_dir, ignored);
}

// Memory-backed where the system has it: each input is written as a file, and a disk file system
// writes a truncated file's data back at its close.
std::filesystem::path work_dir_parent() {
  std::error_code error;
  if (std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0) return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

}  // namespace

void enter_fuzz_work_dir() {
  std::string pattern = (work_dir_parent() / "zorikan-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr || ::chdir(pattern.c_str()) != 0) {
    std::perror("zorikan fuzz: cannot make a working directory");
    std::abort();
  }
  g_work_dir = pattern;
  std::atexit(&remove_work_dir);
  set_stop_handler([] { throw ProgramEnded{}; });
  set_fatal_report_handler([](std::string_view) { throw ProgramEnded{}; });
}

void write_input_file(std::string_view name, std::string_view bytes) {
  std::ofstream file{std::string(name), std::ios::binary | std::ios::trunc};
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zorikan::fuzz
