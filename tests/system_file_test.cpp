// The system's side of the program's files, on whichever platform the test runs (under Wine for the
// Windows build): bytes kept as they are, a file replaced in one step over an existing one, names in
// Cyrillic letters, and failures that say why.
#include "common/system_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/temp_work_dir.h"

namespace zorikan {
namespace {

using testing::TempWorkDir;

std::string write_through(const std::string& name, SystemOpenMode mode, const std::string& bytes) {
  std::FILE* file = open_system_file(name, mode);
  if (file == nullptr) return "open failed: errno " + std::to_string(errno);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && sync_system_file(file);
  std::fclose(file);
  return written ? "" : "write failed";
}

TEST(SystemFile, ModesKeepBytesAndRefuseWhatTheyMust) {
  TempWorkDir dir;
  const std::string cyrillic = "Данные Ивана.rtr";
  ASSERT_EQ(write_through(cyrillic, SystemOpenMode::kCreateNew, "a\r\nb\n\x1a\xff"), "");
  EXPECT_EQ(dir.read(cyrillic), "a\r\nb\n\x1a\xff") << "bytes must pass as they are, CR LF written once";

  errno = 0;
  EXPECT_EQ(open_system_file(cyrillic, SystemOpenMode::kCreateNew), nullptr);
  EXPECT_EQ(errno, EEXIST) << "a new file must never replace one made meanwhile";
  EXPECT_EQ(dir.read(cyrillic), "a\r\nb\n\x1a\xff");

  errno = 0;
  EXPECT_EQ(open_system_file("missing.vvd", SystemOpenMode::kReadWrite), nullptr);
  EXPECT_EQ(errno, ENOENT);

  std::FILE* file = open_system_file(cyrillic, SystemOpenMode::kReadWrite);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(read_byte(file), 'a');
  ASSERT_EQ(std::fseek(file, 0, SEEK_CUR), 0);
  EXPECT_TRUE(cut_system_file(file, 3));
  std::fclose(file);
  EXPECT_EQ(dir.read(cyrillic), "a\r\n");

  ASSERT_EQ(write_through(cyrillic, SystemOpenMode::kCreateOrTruncate, "x"), "");
  EXPECT_EQ(dir.read(cyrillic), "x");
}

TEST(SystemFile, ReplacesAnExistingFileInOneStepAndSaysWhyItCannot) {
  TempWorkDir dir;
  dir.write("zorikan.vvd", "old\r\n");
  dir.write("zorikan.vvd.tmp", "new\r\n");
  EXPECT_EQ(replace_file_durably("zorikan.vvd.tmp", "zorikan.vvd"), "");
  EXPECT_EQ(dir.read("zorikan.vvd"), "new\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "zorikan.vvd.tmp"));

  const std::string why = replace_file_durably("absent.tmp", "zorikan.vvd");
  EXPECT_FALSE(why.empty()) << "a failed replacement must say why";
  EXPECT_EQ(dir.read("zorikan.vvd"), "new\r\n") << "a failed replacement must keep the file";
}

}  // namespace
}  // namespace zorikan
