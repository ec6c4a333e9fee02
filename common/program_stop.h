// Program stop and fatal error reports: the two ways the program ends.
//
// Code anywhere in the program ends the run through these two routines. Until a window exists they
// write to the standard streams and end the process; the Display layer later installs handlers that
// show the report in a message box and end the program thread instead.
#pragma once

#include <string_view>

namespace zorikan {

// A stop handler must not return: it ends the calling thread's part in the run.
using StopHandler = void (*)();
// A fatal report handler receives the report in UTF-8 and must not return either.
using FatalReportHandler = void (*)(std::string_view report);

void set_stop_handler(StopHandler handler);
void set_fatal_report_handler(FatalReportHandler handler);

// Ends the program normally with exit code 0, without a message.
[[noreturn]] void stop_program();

// Ends the program after showing `report` (UTF-8), which names the file, line and what is wrong.
// Without a handler: the report goes to standard error and the process ends with exit code 1.
[[noreturn]] void report_fatal_error(std::string_view report);

}  // namespace zorikan
