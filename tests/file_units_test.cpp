// File units: exact bytes on disk, the open statuses, appending, rewriting, line ends, reports, and
// devices opened through the unit table from two threads.
#include "common/file_units.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "common/cp1251.h"
#include "tests/support/temp_work_dir.h"

namespace zorikan {
namespace {

using testing::TempWorkDir;

constexpr int32_t kUnit = 14;

std::string line_of(int32_t unit) {
  std::array<char, 40> text;
  const IoResult result = read_line(unit, text, ErrorExit::kReturn);
  EXPECT_TRUE(result.ok()) << result.report;
  const std::string_view view(text.data(), text.size());
  return std::string(view.substr(0, view.find_last_not_of(' ') + 1));
}

TEST(FileUnits, WrittenLinesEndInCrLfAndReadBack) {
  TempWorkDir dir;
  static constexpr Format kDistance = parse_format("(F7.3,'  (дальность в сантиметрах)')");
  static constexpr Format kVolume = parse_format("(I7,'  (объем тренировки)')");
  ASSERT_TRUE(open_file(kUnit, "zorikan.vvd", FileStatus::kNew).ok());
  write_formatted(kUnit, kDistance, {200.0f});
  write_formatted(kUnit, kVolume, {100});
  close_file(kUnit);
  EXPECT_EQ(dir.read("zorikan.vvd"), "200.000  (" + std::string(cp1251<"дальность в сантиметрах">().view()) +
                                         ")\r\n    100  (" +
                                         std::string(cp1251<"объем тренировки">().view()) + ")\r\n");

  float distance = 0.0f;
  int32_t volume = 0;
  ASSERT_TRUE(open_file(kUnit, "zorikan.vvd", FileStatus::kOld).ok());
  read_formatted(kUnit, parse_format("(F7.3)"), {&distance});
  read_formatted(kUnit, parse_format("(I7)"), {&volume});
  const IoResult end = read_formatted(kUnit, parse_format("(I7)"), {&volume}, ErrorExit::kReturn);
  close_file(kUnit);
  EXPECT_EQ(distance, 200.0f);
  EXPECT_EQ(volume, 100);
  EXPECT_EQ(end.status, IoStatus::kEndOfFile);
  EXPECT_EQ(end.report, "zorikan.vvd, line 3: end of file");
}

TEST(FileUnits, StatusesOldNewAndUnknown) {
  TempWorkDir dir;
  IoResult result = open_file(kUnit, "zorikan.vvd", FileStatus::kOld, ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kFileNotFound);
  EXPECT_EQ(result.report, "zorikan.vvd: file not found");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "zorikan.vvd"));

  dir.write("zorikan.rtr", "header\r\n");
  result = open_file(kUnit, "zorikan.rtr", FileStatus::kNew, ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kFileExists);
  EXPECT_EQ(result.report, "zorikan.rtr: file already exists");
  EXPECT_EQ(dir.read("zorikan.rtr"), "header\r\n");

  // "unknown": an absent file is created empty, a present one is opened as it is.
  ASSERT_TRUE(open_file(kUnit, "zorikan.sym", FileStatus::kUnknown).ok());
  EXPECT_EQ(read_line(kUnit, std::span<char>(), ErrorExit::kReturn).report,
            "zorikan.sym, line 1: end of file");
  close_file(kUnit);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "zorikan.sym"));
  EXPECT_EQ(dir.read("zorikan.sym"), "");
  ASSERT_TRUE(open_file(kUnit, "zorikan.rtr  ", FileStatus::kUnknown).ok());  // trailing blanks dropped
  EXPECT_EQ(line_of(kUnit), "header");
  close_file(kUnit);

  std::filesystem::create_directory(dir.path() / "folder");
  result = open_file(kUnit, "folder", FileStatus::kUnknown, ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kOpenFailed);
  EXPECT_EQ(result.report, "folder: cannot open: Is a directory");
}

// Reads a count line and its point lines without an error exit.
void read_glyph_block() {
  int32_t count = 0;
  open_file(kUnit, "zorikan.sym", FileStatus::kUnknown);
  read_formatted(kUnit, parse_format("(16X,I8)"), {&count});
  std::vector<int32_t> points(2 * static_cast<size_t>(count));
  read_formatted(kUnit, parse_format("(20I4)"), std::span<int32_t>(points));
}

TEST(FileUnits, MissingFileWithoutErrorExitEndsTheProgramWithItsReport) {
  TempWorkDir dir;
  EXPECT_EXIT(open_file(kUnit, "zorikan.vvd", FileStatus::kOld), ::testing::ExitedWithCode(1),
              ::testing::Eq("zorikan.vvd: file not found\n"));
  dir.write("zorikan.sym", "                       9\r\n   1   2 abc\r\n");
  EXPECT_EXIT(read_glyph_block(), ::testing::ExitedWithCode(1),
              ::testing::Eq("zorikan.sym, line 2, columns 9-12: \"abc\" is not an integer\n"));
}

TEST(FileUnits, AppendWritesAfterTheLastLineAndEndsAnUnfinishedOne) {
  TempWorkDir dir;
  dir.write("zorikan.rtr", "header\r\nrecord 1\r\n");
  ASSERT_TRUE(open_file(1, "zorikan.rtr", FileStatus::kOld, ErrorExit::kNone, FilePosition::kAppend).ok());
  write_line(1, "record 2");
  close_file(1);
  EXPECT_EQ(dir.read("zorikan.rtr"), "header\r\nrecord 1\r\nrecord 2\r\n");

  dir.write("zorikan.rtr", "header\r\nrecord 1");
  ASSERT_TRUE(
      open_file(1, "zorikan.rtr", FileStatus::kUnknown, ErrorExit::kNone, FilePosition::kAppend).ok());
  write_formatted(1, parse_format("('record',I2)"), {2});
  close_file(1);
  EXPECT_EQ(dir.read("zorikan.rtr"), "header\r\nrecord 1\r\nrecord 2\r\n");
}

TEST(FileUnits, WritingFromTheStartOrAfterReadingReplacesTheRest) {
  TempWorkDir dir;
  dir.write("zorikan.vvd", "line one is long\r\nline two\r\nline three\r\n");
  ASSERT_TRUE(open_file(kUnit, "zorikan.vvd", FileStatus::kUnknown).ok());
  write_line(kUnit, "new");
  close_file(kUnit);
  EXPECT_EQ(dir.read("zorikan.vvd"), "new\r\n");

  dir.write("zorikan.vvd", "one\r\ntwo\r\nthree\r\n");
  ASSERT_TRUE(open_file(kUnit, "zorikan.vvd", FileStatus::kOld).ok());
  EXPECT_EQ(line_of(kUnit), "one");
  write_line(kUnit, "2");
  close_file(kUnit);
  EXPECT_EQ(dir.read("zorikan.vvd"), "one\r\n2\r\n");

  // A conversion failure writes nothing.
  ASSERT_TRUE(
      open_file(kUnit, "zorikan.vvd", FileStatus::kOld, ErrorExit::kNone, FilePosition::kAppend).ok());
  const IoResult result = write_formatted(kUnit, parse_format("(I4)"), {1.0f}, ErrorExit::kReturn);
  close_file(kUnit);
  EXPECT_EQ(result.status, IoStatus::kMismatch);
  EXPECT_EQ(result.report, "zorikan.vvd, columns 1-4: I4 needs an integer, the value is a real");
  EXPECT_EQ(dir.read("zorikan.vvd"), "one\r\n2\r\n");
}

TEST(FileUnits, LinesEndInCrLfOrLfAndTheLastNeedsNoEnd) {
  TempWorkDir dir;
  dir.write("mixed.txt", "a\r\nb\n\r\nc");
  ASSERT_TRUE(open_file(kUnit, "mixed.txt", FileStatus::kOld).ok());
  EXPECT_EQ(line_of(kUnit), "a");
  EXPECT_EQ(line_of(kUnit), "b");
  EXPECT_EQ(line_of(kUnit), "");
  EXPECT_EQ(line_of(kUnit), "c");
  std::array<char, 4> text;
  EXPECT_EQ(read_line(kUnit, text, ErrorExit::kReturn).report, "mixed.txt, line 5: end of file");
}

TEST(FileUnits, GlyphBlocksReadTwentyIntegersPerLine) {
  TempWorkDir dir;
  std::string file = "                      11\r\n";
  for (int line = 0; line < 2; ++line) {
    for (int k = 1; k <= (line == 0 ? 20 : 2); ++k) file += "   " + std::to_string(k % 10);
    file += "\r\n";
  }
  file += "                       0\r\nignored\r\n                       1\r\n  -5  17\r\n";
  dir.write("zorikan.sym", file);

  static constexpr Format kCountLine = parse_format("(16X,I8)");
  static constexpr Format kPointLines = parse_format("(20I4)");
  std::array<int32_t, 22> points = {};
  std::vector<int32_t> counts;
  ASSERT_TRUE(open_file(kUnit, "zorikan.sym", FileStatus::kUnknown).ok());
  for (int glyph = 0; glyph < 3; ++glyph) {
    int32_t count = 0;
    read_formatted(kUnit, kCountLine, {&count});
    read_formatted(kUnit, kPointLines, std::span<int32_t>(points.data(), 2 * static_cast<size_t>(count)));
    counts.push_back(count);
  }
  int32_t more = 0;
  const IoResult end = read_formatted(kUnit, kCountLine, {&more}, ErrorExit::kReturn);
  close_file(kUnit);
  EXPECT_EQ(counts, (std::vector<int32_t>{11, 0, 1}));
  EXPECT_EQ(points[0], -5);  // the last block read
  EXPECT_EQ(points[1], 17);
  EXPECT_EQ(points[20], 1);  // values 21 and 22 of the first block, from its second line
  EXPECT_EQ(points[21], 2);
  EXPECT_EQ(end.report, "zorikan.sym, line 8: end of file");
}

TEST(FileUnits, UnitErrorsAreReported) {
  TempWorkDir dir;
  int32_t value = 0;
  EXPECT_EQ(read_formatted(kUnit, parse_format("(I4)"), {&value}, ErrorExit::kReturn).report,
            "unit 14 is not open");
  EXPECT_EQ(open_file(101, "x", FileStatus::kUnknown, ErrorExit::kReturn).report,
            "unit 101 is outside the unit numbers 0-100");
  EXPECT_TRUE(close_file(kUnit).ok());  // closing a closed unit does nothing
}

TEST(FileUnits, UserDeviceOpensAndClosesWindowsOnceRegistered) {
  TempWorkDir dir;
  IoResult result = open_file(1, "USER", FileStatus::kUnknown, ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kFileNotFound);
  EXPECT_EQ(result.report, "USER: file not found");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "USER"));

  std::vector<std::string> calls;
  register_device("USER",
                  DeviceHandler{
                      .open = [&](int32_t unit, std::string_view title) -> std::string {
                        if (unit == 2) return "too many windows";
                        calls.push_back("open " + std::to_string(unit) + " " + cp1251_to_utf8(title));
                        return {};
                      },
                      .close = [&](int32_t unit) { calls.push_back("close " + std::to_string(unit)); },
                  });
  static constexpr auto kTitle = cp1251<"Тренажер для глаз">();
  ASSERT_TRUE(
      open_file(1, "user", FileStatus::kUnknown, ErrorExit::kNone, FilePosition::kStart, kTitle.view()).ok());
  result = write_line(1, "text", ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kNotAFile);
  EXPECT_EQ(result.report, "unit 1 is open on the device user, not on a file");
  close_file(1);
  close_file(1);
  result = open_file(2, "User", FileStatus::kUnknown, ErrorExit::kReturn);
  EXPECT_EQ(result.status, IoStatus::kOpenFailed);
  EXPECT_EQ(result.report, "User: cannot open unit 2: too many windows");
  // Reopening a device unit on a file closes the window first.
  ASSERT_TRUE(open_file(3, "USER", FileStatus::kUnknown).ok());
  ASSERT_TRUE(open_file(3, "data.txt", FileStatus::kUnknown).ok());
  close_all_units();
  EXPECT_EQ(calls, (std::vector<std::string>{"open 1 Тренажер для глаз", "close 1", "open 3 ", "close 3"}));
}

TEST(FileUnits, CloseFromAnotherThreadDuringADeviceOpenClosesItAfterwards) {
  TempWorkDir dir;
  std::vector<std::string> calls;
  // The device's open waits for the GUI thread, which is itself closing the unit ("Выход").
  register_device("USER", DeviceHandler{
                              .open = [&](int32_t unit, std::string_view) -> std::string {
                                std::thread gui_thread([unit] { close_file(unit); });
                                gui_thread.join();
                                calls.push_back("open");
                                return {};
                              },
                              .close = [&](int32_t) { calls.push_back("close"); },
                          });
  ASSERT_TRUE(open_file(1, "USER", FileStatus::kUnknown).ok());
  EXPECT_EQ(calls, (std::vector<std::string>{"open", "close"}));
  EXPECT_EQ(write_line(1, "x", ErrorExit::kReturn).status, IoStatus::kUnitNotOpen);
}

}  // namespace
}  // namespace zorikan
