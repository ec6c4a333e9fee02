#include "tests/support/temp_work_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zorikan::testing {

TempWorkDir::TempWorkDir() : previous_(std::filesystem::current_path()) {
  std::string pattern = (std::filesystem::temp_directory_path() / "zorikan-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed for " + pattern);
  path_ = pattern;
  std::filesystem::current_path(path_);
}

TempWorkDir::~TempWorkDir() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempWorkDir::read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void TempWorkDir::write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace zorikan::testing
