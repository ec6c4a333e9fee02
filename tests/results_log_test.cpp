// The results log: the header for a new or empty log, appending, both record layouts. Records that stay
// whole when the writing process is killed, and a full disk, are tested in results_log_crash_test.cpp.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "common/cp1251.h"
#include "services/results_log.h"
#include "tests/support/results_log_records.h"
#include "tests/support/temp_work_dir.h"

namespace zorikan {
namespace {

using testing::append_training;
using testing::kHeaderLine;
using testing::kOldRecord;
using testing::training_record;

struct FileCase {
  const char* name;
  bool exists;
  std::string before;
  std::string after_prefix;  // the file before the new record
  friend void PrintTo(const FileCase& test, std::ostream* out) { *out << test.name; }
};

class ResultsLogFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(ResultsLogFile, GetsTheHeaderOnlyWhenNewOrEmptyAndTheRecordAppended) {
  testing::TempWorkDir dir;
  if (GetParam().exists) dir.write("zorikan.rtr", GetParam().before);
  append_training(3, 1.5f);
  EXPECT_EQ(dir.read("zorikan.rtr"), GetParam().after_prefix + training_record(3, 1.5f));
}

INSTANTIATE_TEST_SUITE_P(
    ResultsLog, ResultsLogFile,
    ::testing::Values(FileCase{"Missing", false, "", kHeaderLine}, FileCase{"Empty", true, "", kHeaderLine},
                      FileCase{"WithRecords", true, kHeaderLine + kOldRecord, kHeaderLine + kOldRecord},
                      FileCase{"LastLineUnended", true, kHeaderLine + kOldRecord.substr(0, 115),
                               kHeaderLine + kOldRecord}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResultsLog, RecordsOfBothKindsHaveTheirLengthsAndMarksAndNoMeanReadsAsMinusOne) {
  testing::TempWorkDir dir;
  append_training(3, kNoMeanAnswerTime);
  open_results_log();
  write_results_record(kVisionRecordLayout, {7, 3, 2026, 9, 5, 4, 60.0f, 15.6f, 1080, 1920, 0.8f});
  const std::string log = dir.read("zorikan.rtr");
  const std::string vision =
      utf8_to_cp1251(" 07.03.2026г,   9час  5мин  4сек, D=   60.0см  DD=15.6  ny=1080 nx=1920 OZ2=0.80\r\n");
  EXPECT_EQ(log, kHeaderLine + training_record(3, kNoMeanAnswerTime) + vision);
  float mean = 0;
  parse_text(std::string_view(log).substr(kHeaderLine.size() + 95, 8), parse_format("(F8.0)"), {&mean});
  EXPECT_EQ(mean, kNoMeanAnswerTime);
}

}  // namespace
}  // namespace zorikan
