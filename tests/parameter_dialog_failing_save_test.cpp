// Saves of zorikan.vvd that fail part-way, through the parameter dialog: the old file stays whole and the
// failure is named. Linux only: the full disk is a file-size limit on the process, and the reasons named
// are the C library's words.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "tests/support/parameter_dialog_run.h"
#include "tests/support/temp_work_dir.h"

namespace zorikan {
namespace {

using testing::click_start;
using testing::DialogRun;
using testing::run_dialog;
using testing::vvd_lines;

const std::string kOldFile =
    vvd_lines({" 65.000  (дальность в сантиметрах)", " 21.000  (диагональ дисплея в дюймах)",
               "   1200  (разрешение экрана, пикселей по Y)", "   1600  (разрешение экрана, пикселей по X)",
               "     50  (объем тренировки)"});

TEST(ParameterDialog, ASaveThatCannotCreateItsTemporaryFileLeavesTheOldFile) {
  testing::TempWorkDir dir;
  dir.write("zorikan.vvd", kOldFile);
  std::filesystem::create_directory(dir.path() / "zorikan.vvd.tmp");
  const DialogRun run = run_dialog(click_start);
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(run.returned);
  ASSERT_EQ(run.reports.size(), 1u);
  EXPECT_EQ(run.reports[0], "zorikan.vvd.tmp: cannot open: Is a directory");
  EXPECT_EQ(dir.read("zorikan.vvd"), kOldFile);
}

TEST(ParameterDialog, ASaveThatRunsOutOfSpacePartWayLeavesTheOldFile) {
  testing::TempWorkDir dir;
  dir.write("zorikan.vvd", kOldFile);
  // Files of this process may not grow past 100 bytes: the third line of the new file does not fit.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit previous = limit;
  limit.rlim_cur = 100;
  setrlimit(RLIMIT_FSIZE, &limit);
  const DialogRun run = run_dialog(click_start);
  setrlimit(RLIMIT_FSIZE, &previous);
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(run.returned);
  ASSERT_EQ(run.reports.size(), 1u);
  EXPECT_EQ(run.reports[0], "zorikan.vvd.tmp: cannot write: File too large");
  EXPECT_EQ(dir.read("zorikan.vvd"), kOldFile);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "zorikan.vvd.tmp")) << "the half-written file is removed";
}

}  // namespace
}  // namespace zorikan
