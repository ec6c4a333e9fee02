// The error stack: substitution, wrapping and type words of printed errors, which errors stop and when,
// the length limits, and the stack's own faults.
#include "calendar/error_stack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "common/program_stop.h"

namespace zorikan {
namespace {

struct ProgramStopped {};
[[noreturn]] void throw_program_stopped() {
  throw ProgramStopped{};
}

struct Outcome {
  std::string printed;
  bool stopped = false;
};

// Runs `action` with the stop turned into an exception and standard output captured.
Outcome run(const std::function<void()>& action) {
  Outcome outcome;
  ::testing::internal::CaptureStdout();
  try {
    action();
  } catch (const ProgramStopped&) {
    outcome.stopped = true;
  }
  outcome.printed = ::testing::internal::GetCapturedStdout();
  return outcome;
}

// A stop that nothing expects fails the test instead of ending the process with exit code 0.
class ErrorStack : public ::testing::Test {
 protected:
  void SetUp() override { set_stop_handler(throw_program_stopped); }
};

TEST_F(ErrorStack, SubstitutesParametersBreaksLinesAndClearsParametersAfterUse) {
  const Outcome outcome = run([] {
    E1PSH("ROUTINE");
    e1_set_ints(-7, 0, 2147483647);
    e1_set_names("ALPHA", "B");
    E1MES(kErrorWarning, 12,
          "%(L1) = %(I1), %(L2) = %(I2) and %(I3).%/100% sure: %(I4) and %(L3) stay as they are.%/%/"
          "A word longer than a line: " +
              std::string(70, 'w') + " ends it.");
    E1MES(kErrorAlert, 2, "[%(I1)] [%(L1)]");
    E1POP("ROUTINE");
  });
  EXPECT_FALSE(outcome.stopped);
  EXPECT_EQ(outcome.printed,
            " *** WARNING ERROR 12 from ROUTINE.  ALPHA = -7, B = 0 and 2147483647.\n"
            " ***          100% sure: %(I4) and %(L3) stay as they are.\n"
            " ***\n"
            " ***          A word longer than a line:\n"
            " ***          " +
                std::string(58, 'w') +
                "\n"
                " ***          " +
                std::string(12, 'w') +
                " ends it.\n"
                " *** ALERT ERROR 2 from ROUTINE.  [0] []\n");
}

TEST_F(ErrorStack, EachTypeIsPrintedWhenRecordedAndOnlyTheFatalKindsStopOnPop) {
  const char* const words[] = {"NOTE", "ALERT", "WARNING", "FATAL", "TERMINAL", "WARNING", "FATAL"};
  for (int32_t type = kErrorNote; type <= kErrorFatalWithFix; ++type) {
    const Outcome recorded = run([type] {
      E1PSH("R");
      E1MES(type, 40 + type, "Text.");
    });
    EXPECT_FALSE(recorded.stopped) << type;
    EXPECT_EQ(recorded.printed, std::string(" *** ") + words[type - 1] + " ERROR " +
                                    std::to_string(40 + type) + " from R.  Text.\n");
    const Outcome popped = run([] { E1POP("R"); });
    EXPECT_EQ(popped.printed, "") << type;
    EXPECT_EQ(popped.stopped, type == kErrorFatal || type == kErrorTerminal || type == kErrorFatalWithFix)
        << type;
  }
}

TEST_F(ErrorStack, ErrorStopsWhenItsOwnLevelIsPoppedNotAnInnerOne) {
  E1PSH("OUTER");
  Outcome outcome = run([] {
    E1MES(kErrorTerminal, 1, "Outer failed.");
    E1PSH("INNER");
    E1MES(kErrorNote, 2, "Inner note.");
    E1POP("INNER");
  });
  EXPECT_FALSE(outcome.stopped);
  EXPECT_EQ(outcome.printed,
            " *** TERMINAL ERROR 1 from OUTER.  Outer failed.\n"
            " *** NOTE ERROR 2 from INNER.  Inner note.\n");
  EXPECT_TRUE(run([] { E1POP("OUTER"); }).stopped);
  // A new routine at the same level starts clean.
  EXPECT_FALSE(run([] {
                 E1PSH("NEXT");
                 E1POP("NEXT");
               }).stopped);
}

TEST_F(ErrorStack, KeepsTheFirst1024CharactersOfAMessageAnd32OfAName) {
  const std::string name = "ROUTINE_NAME_OF_THIRTY_TWO_CHARS_AND_MORE";
  const Outcome outcome = run([&name] {
    E1PSH(name);
    e1_set_names(name);
    E1MES(kErrorWarning, 1, "%(L1) " + std::string(1100, 'x'));
    E1POP(name);
  });
  EXPECT_FALSE(outcome.stopped);
  // "%(L1) " and 1018 of the 1100 x: a word longer than a line is cut into lines of 58.
  std::string expected =
      " *** WARNING ERROR 1 from ROUTINE_NAME_OF_THIRTY_TWO_CHARS.\n"
      " ***          ROUTINE_NAME_OF_THIRTY_TWO_CHARS\n";
  for (int line = 0; line < 17; ++line) expected += " ***          " + std::string(58, 'x') + "\n";
  expected += " ***          " + std::string(1018 - 17 * 58, 'x') + "\n";
  EXPECT_EQ(outcome.printed, expected);
}

TEST_F(ErrorStack, StackFaultsAreTerminalErrorsThatStopAtOnce) {
  Outcome outcome = run([] {
    for (int level = 1; level <= kErrorStackDepth; ++level) E1PSH("L" + std::to_string(level));
  });
  EXPECT_FALSE(outcome.stopped);
  outcome = run([] { E1PSH("ONE_TOO_MANY"); });
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(outcome.printed,
            " *** TERMINAL ERROR 1 from E1PSH.  Error condition in E1PSH.  Push would\n"
            " ***          cause stack level to exceed 50.\n");

  outcome = run([] { E1POP("L49"); });
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(outcome.printed,
            " *** TERMINAL ERROR 1 from E1POP.  Error condition in E1POP.  L49 does\n"
            " ***          not match the name L50 in the stack.\n");

  outcome = run([] {
    for (int level = kErrorStackDepth; level >= 1; --level) E1POP("L" + std::to_string(level));
  });
  EXPECT_FALSE(outcome.stopped);
  outcome = run([] { E1POP("NDAYS"); });
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(outcome.printed,
            " *** TERMINAL ERROR 2 from E1POP.  Error condition in E1POP.  Cannot pop\n"
            " ***          from NDAYS because stack is empty.\n");

  outcome = run([] { E1MES(8, 3, "Text."); });
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(outcome.printed,
            " *** TERMINAL ERROR 1 from E1MES.  Error condition in E1MES.  The error\n"
            " ***          type 8 is not one of 1 to 7.\n");

  // With no routine to pop, a stopping error stops when it is recorded.
  outcome = run([] { E1MES(kErrorFatal, 3, "Text."); });
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(outcome.printed, " *** FATAL ERROR 3 from USER.  Text.\n");
}

TEST_F(ErrorStack, StopEndsTheProgramWithExitCodeZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  set_stop_handler(nullptr);
  EXPECT_EXIT(E1POP("NDAYS"), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(
      {
        E1PSH("R");
        E1MES(kErrorTerminal, 1, "Text.");
        E1POP("R");
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace zorikan
