// The results log: the header for a new or empty log, appending, both record layouts; records that stay
// whole when the writing process is killed at random moments; a full disk that ends the program with a
// report and keeps every earlier line.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "services/results_log.h"
#include "tests/support/temp_work_dir.h"

namespace zorikan {
namespace {

const std::string kHeaderLine = std::string(kResultsLogHeader.view()) + "\r\n";

std::string training_record(int32_t second, float mean) {
  return utf8_to_cp1251(" 07.03.2026г,   9час  5мин ") + (second < 10 ? " " : "") + std::to_string(second) +
         utf8_to_cp1251("сек, D=   60.0см  Is=   5  Nп= 100 Nв=  97 Nош=   2 Nно=   1 t_ср=") +
         (mean < 0 ? "   -1.00" : "    1.50") + utf8_to_cp1251("с  Nотж=   5\r\n");
}

void append_training(int32_t second, float mean) {
  open_results_log();
  write_results_record(kTrainingRecordLayout, {7, 3, 2026, 9, 5, second, 60.0f, 5, 100, 97, 2, 1, mean, 5});
}

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

const std::string kOldRecord = training_record(1, 1.5f);

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

// A separate process appends records in a loop and is killed with SIGKILL 200 times over, each time inside
// the second record that process writes, at a random point of the time its first one took: every line of the
// log stays whole, and the header stays first. The kills follow the writer's own progress (it tells the
// start of each record through a pipe), so a slow machine or a sanitizer build kills as often mid-record.
TEST(ResultsLog, RecordsStayWholeWhenTheWriterIsKilledAtRandomMoments) {
  constexpr int kKills = 200;
  testing::TempWorkDir dir;
  std::mt19937 random(20260307);
  std::uniform_real_distribution<double> share_of_a_record(0, 1);
  for (int kill_number = 0; kill_number < kKills; ++kill_number) {
    int starts[2];
    ASSERT_EQ(pipe(starts), 0);
    const pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      close(starts[0]);
      for (int32_t n = 0;; ++n) {
        if (write(starts[1], "s", 1) != 1) _exit(1);
        append_training(n % 60, 1.5f);
      }
    }
    close(starts[1]);
    char start = 0;
    ASSERT_EQ(read(starts[0], &start, 1), 1);
    const auto first = std::chrono::steady_clock::now();
    ASSERT_EQ(read(starts[0], &start, 1), 1);
    const auto second = std::chrono::steady_clock::now();
    const auto until = second + (second - first) * share_of_a_record(random);
    while (std::chrono::steady_clock::now() < until) {
    }
    kill(writer, SIGKILL);
    close(starts[0]);
    int status = 0;
    waitpid(writer, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
  }
  std::istringstream lines(dir.read("zorikan.rtr"));
  std::string line;
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line + "\n", kHeaderLine);
  size_t records = 0;
  while (std::getline(lines, line)) {
    ASSERT_EQ(line.size(), kTrainingRecordLength + 1) << "record " << records + 1 << " is cut";
    EXPECT_EQ(line.substr(line.size() - 1), "\r");
    EXPECT_EQ(line.substr(47, 2), kTrainingRecordMark);
    ++records;
  }
  EXPECT_GE(records, size_t{kKills}) << "every killed writer's first record is whole";
  std::printf("%zu whole records after %d kills\n", records, kKills);
}

// A log that cannot grow (a file-size limit stands in for a full disk): the program ends with exit code 1
// and a report naming the file and the reason, and the log keeps its lines as they were.
TEST(ResultsLog, FullDiskEndsWithAReportAndKeepsEveryEarlierLine) {
  testing::TempWorkDir dir;
  const std::string before = kHeaderLine + kOldRecord + kOldRecord;
  dir.write("zorikan.rtr", before);
  int report_pipe[2];
  ASSERT_EQ(pipe(report_pipe), 0);
  const pid_t writer = fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    dup2(report_pipe[1], STDERR_FILENO);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(before.size() + 50), static_cast<rlim_t>(before.size() + 50)};
    setrlimit(RLIMIT_FSIZE, &limit);
    append_training(3, 1.5f);
    _exit(0);
  }
  close(report_pipe[1]);
  int status = 0;
  waitpid(writer, &status, 0);
  char report[512] = {};
  const ssize_t length = read(report_pipe[0], report, sizeof report - 1);
  close(report_pipe[0]);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(std::string(report, length > 0 ? length : 0).find("zorikan.rtr: cannot write: File too large"),
            std::string::npos)
      << report;
  EXPECT_EQ(dir.read("zorikan.rtr"), before);
}

}  // namespace
}  // namespace zorikan
