// A fresh temporary working directory for one test: created and entered on construction, left and
// removed on destruction. The program reads and writes its files in the working directory.
#pragma once

#include <filesystem>
#include <string>

namespace zorikan::testing {

class TempWorkDir {
 public:
  TempWorkDir();
  ~TempWorkDir();
  TempWorkDir(const TempWorkDir&) = delete;
  TempWorkDir& operator=(const TempWorkDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Whole content of a file in the directory, as bytes; empty when the file is missing. Names are UTF-8.
  std::string read(const std::string& name) const;
  void write(const std::string& name, const std::string& bytes) const;

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

}  // namespace zorikan::testing
