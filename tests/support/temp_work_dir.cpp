#include "tests/support/temp_work_dir.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "common/system_file.h"

namespace zorikan::testing {
namespace {

// A new folder of a random name under the system's temporary folder; create_directory tells whether this
// process made it, so two tests never share one.
std::filesystem::path fresh_folder() {
  std::random_device seed;
  std::mt19937_64 numbers(seed());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[32];
    std::snprintf(name, sizeof name, "zorikan-test-%012llx",
                  static_cast<unsigned long long>(numbers() & 0xFFFFFFFFFFFFull));
    std::error_code error;
    if (std::filesystem::create_directory(base / name, error)) return base / name;
  }
  throw std::runtime_error("cannot make a fresh folder in " + base.string());
}

}  // namespace

TempWorkDir::TempWorkDir() : previous_(std::filesystem::current_path()) {
  path_ = fresh_folder();
  std::filesystem::current_path(path_);
}

TempWorkDir::~TempWorkDir() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempWorkDir::read(const std::string& name) const {
  std::ifstream in(path_ / utf8_path(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void TempWorkDir::write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(path_ / utf8_path(name), std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace zorikan::testing
