// The default stop and fatal report end the process with the right code and text.
#include "common/program_stop.h"

#include <gtest/gtest.h>

namespace zorikan {
namespace {

TEST(ProgramStop, DefaultStopEndsWithCodeZeroAndFatalReportWithOneOnStandardError) {
  EXPECT_EXIT(stop_program(), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(report_fatal_error("zorikan.sym, line 3, columns 17-24: \"abc\" is not an integer"),
              ::testing::ExitedWithCode(1), "zorikan.sym, line 3, columns 17-24: \"abc\" is not an integer");
}

}  // namespace
}  // namespace zorikan
