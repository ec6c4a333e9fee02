// Results of the input/output operations (file units and formatted text conversion) and their error
// exit.
//
// Every operation takes an error exit. With one (ErrorExit::kReturn) a failure comes back in the
// result: the caller tests its status and may show its report. Without one (ErrorExit::kNone, the
// default) a failure ends the program through report_fatal_error with the same report, so such a
// call returns only on success.
#pragma once

#include <cstdint>
#include <string>

namespace zorikan {

enum class ErrorExit : uint8_t {
  kNone,    // a failure ends the program with its report
  kReturn,  // a failure is returned to the caller
};

enum class IoStatus : uint8_t {
  kOk,
  kEndOfFile,      // a read past the last line of a file, or past the one line of a text
  kFileNotFound,   // status "old" and no such file; or the device "USER" while no device is registered
  kFileExists,     // status "new" and the file is already there
  kOpenFailed,     // the system or the device refused the open (permissions, a directory, no window)
  kBadField,       // an input field does not convert to its value
  kReadFailed,     // the system reported a read error
  kWriteFailed,    // the system refused a write or a close
  kOutputTooLong,  // formatted output longer than its text variable, or more than one line for it
  kUnitNotOpen,    // nothing open on the unit, or the unit number is outside the unit table
  kNotAFile,       // formatted transfer on a unit that is open on a device (a window)
  kMismatch,       // values and format disagree: a real for I, an integer for F, values left over
                   // for a format without I or F
};

struct IoResult {
  IoStatus status = IoStatus::kOk;
  // UTF-8; names the file (or text), the line and columns where they apply, and what is wrong, e.g.
  // `zorikan.sym, line 3, columns 17-24: "abc" is not an integer`. Empty on success.
  std::string report;

  bool ok() const { return status == IoStatus::kOk; }
};

// Ends the program with the report when the result is a failure and there is no error exit;
// otherwise returns the result unchanged. Callers must hold no lock here.
IoResult apply_error_exit(IoResult result, ErrorExit exit);

}  // namespace zorikan
