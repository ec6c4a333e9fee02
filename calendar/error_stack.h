// The calendar's error stack: routine names pushed on entry and popped on exit, and per level the error
// recorded there, printed on standard output and, for the severe types, ending the program on the pop.
//
// A routine that reports errors runs as
//   E1PSH("NDAYS");
//   e1_set_ints(month, 1, 12);    // parameters first, then the message that uses them
//   e1_set_names("MONTH");
//   E1MES(kErrorTerminal, 1, "%(L1) = %(I1).  %(L1) must be ...");
//   E1POP("NDAYS");               // stops the program here when a stopping error was recorded
//
// Message texts take "%(I1)", "%(I2)", "%(I3)" (the integer parameters in decimal, no blanks), "%(L1)",
// "%(L2)" (the name parameters) and "%/" (a forced line break); any other "%" is printed as it is.
//
// Printing: every error is printed when E1MES records it (notes and alerts too), as one message of
//   " *** TERMINAL ERROR 5 from NDAYS.  <message with parameters substituted>"
// wrapped at blanks onto lines of at most kErrorLineWidth columns; continuation lines begin with " ***"
// and ten blanks. A word longer than a line is cut. Trailing blanks of each line are dropped. There is no
// traceback.
//
// Stopping: fatal (4), terminal (5) and fatal-with-fix (7) errors end the program through stop_program()
// when the routine at whose level they were recorded pops its name; notes, alerts and warnings never stop.
// The stack's own faults (push beyond kErrorStackDepth levels, a pop with the wrong name or from an empty
// stack, an error type outside 1..7) are printed as terminal errors from E1PSH, E1POP or E1MES and stop at
// once. An error recorded with no routine on the stack is reported from "USER" and, if it stops, stops at
// once.
//
// Thread: the stack is static, program-wide state of the program thread; it has no lock.
#pragma once

#include <cstdint>
#include <string_view>

namespace zorikan {

inline constexpr int kErrorStackDepth = 50;
// Longer message texts keep their first kErrorMessageLength characters, longer routine and parameter
// names their first kErrorNameLength.
inline constexpr int kErrorMessageLength = 1024;
inline constexpr int kErrorNameLength = 32;
inline constexpr int kErrorLineWidth = 72;

// Error types; the printed type words are NOTE, ALERT, WARNING, FATAL, TERMINAL, WARNING, FATAL.
inline constexpr int32_t kErrorNote = 1;
inline constexpr int32_t kErrorAlert = 2;
inline constexpr int32_t kErrorWarning = 3;
inline constexpr int32_t kErrorFatal = 4;
inline constexpr int32_t kErrorTerminal = 5;
inline constexpr int32_t kErrorWarningWithFix = 6;
inline constexpr int32_t kErrorFatalWithFix = 7;

void E1PSH(std::string_view name);
void E1POP(std::string_view name);
// Records the error at the current level (the last recorded error of a level is kept, and whether any of
// them stops), prints it and clears the parameters.
void E1MES(int32_t type, int32_t code, std::string_view text);

// Parameters for the next E1MES; those not given are 0 and empty.
void e1_set_ints(int32_t i1, int32_t i2 = 0, int32_t i3 = 0);
void e1_set_names(std::string_view l1, std::string_view l2 = {});

}  // namespace zorikan
