// The results log against the writing process's end: records that stay whole when the writer is killed at
// random moments, and a full disk that ends the program with a report and keeps every earlier line. Linux
// only: the writers are forked processes and the full disk a file-size limit.
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

#include "services/results_log.h"
#include "tests/support/results_log_records.h"
#include "tests/support/temp_work_dir.h"

namespace zorikan {
namespace {

using testing::append_training;
using testing::kHeaderLine;
using testing::kOldRecord;

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
