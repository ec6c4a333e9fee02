// File units: the numbered connections through which the program reads and writes its text files,
// and through which the Display layer's windows are opened on the device "USER".
//
// Text files are Windows-1251, one record per line, each line ended by CR LF when written. On reading,
// a line may also end in a bare LF, and a last line without a line end still reads. Lines longer than
// kMaxLineLength bytes are cut there (the rest of the line is skipped).
//
// A file name is used as the path in the working directory, its trailing blanks removed (names may
// come from blank-padded text variables). A name matching a registered device (ASCII letters in any
// case) opens the device instead, whatever the status: the device's `open` runs, e.g. creating a
// graphics window, and `close_file` of that unit runs its `close`. The name "USER" is reserved for the
// Display layer: until it registers, opening "USER" fails as a missing file and never creates a file of that
// name.
//
// Writing to a file that was opened at its start, or after reading some of its lines, cuts the file
// at that point: the lines written become its last lines (so rewriting zorikan.vvd replaces it).
// With FilePosition::kAppend, writing starts after the last line; a last line that has no line end is
// given its CR LF first. Each write goes to the system before the call returns, all its lines in one
// piece; a write that fails part way (a full disk) is taken back, so the file keeps the lines it had.
//
// Threads: the unit table is shared. The program thread does the file work; the GUI thread closes
// unit 1 from the menu routine "Выход". Every operation holds the table's lock while it touches the
// table, but never while a device's open or close runs, nor while a failure is being reported, so a
// device may wait for the other thread and a fatal report may end the thread without blocking anyone.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "common/format.h"
#include "common/io_result.h"
#include "common/text_format.h"

namespace zorikan {

// Unit numbers 0 to kMaxUnit.
inline constexpr int32_t kMaxUnit = 100;
inline constexpr size_t kMaxLineLength = 65536;
inline constexpr std::string_view kUserDeviceName = "USER";

enum class FileStatus : uint8_t {
  kOld,      // the file must exist
  kNew,      // the file must not exist; it is created
  kUnknown,  // opened if present, created empty if absent
};

enum class FilePosition : uint8_t {
  kStart,   // reading and writing begin at the first line
  kAppend,  // writing goes after the last line
};

// What a device does when a unit is opened or closed on it. Both are called on the thread that opens
// or closes the unit (close may come from the GUI thread), without the unit table's lock.
struct DeviceHandler {
  // Returns an empty text when the unit is connected, otherwise why not (UTF-8), which becomes the
  // open's failure report.
  std::function<std::string(int32_t unit, std::string_view title)> open;
  std::function<void(int32_t unit)> close;
};

// Makes `name` (ASCII, any case) a device; a second registration of a name replaces the first.
// Units already open on the device keep the handler they were opened with.
void register_device(std::string_view name, DeviceHandler handler);
void unregister_device(std::string_view name);

// Connects the unit to a file or device. A unit that is already open is closed first. `title` is the
// window title of a device unit (Windows-1251 bytes), unused for files.
// Failures: kFileNotFound (`zorikan.vvd: file not found`), kFileExists
// (`zorikan.rtr: file already exists`), kOpenFailed (`zorikan.rtr: cannot open: Permission denied`),
// kUnitNotOpen for a unit number outside 0..kMaxUnit.
IoResult open_file(int32_t unit, std::string_view file_name, FileStatus status,
                   ErrorExit exit = ErrorExit::kNone, FilePosition position = FilePosition::kStart,
                   std::string_view title = {});

// Disconnects the unit: closes the file, or calls the device's close. Closing a unit that is not open
// does nothing. Fails (kWriteFailed) only when the system reports an error closing a file.
IoResult close_file(int32_t unit, ErrorExit exit = ErrorExit::kNone);

// Closes every open unit (at program stop); failures are ignored.
void close_all_units();

// Reads the next line(s) of the unit's file into the targets through the format (one line per
// record). Failures: kEndOfFile (`zorikan.sym, line 12: end of file`), kBadField
// (`zorikan.sym, line 3, columns 17-24: "abc" is not an integer`), kReadFailed, kUnitNotOpen,
// kNotAFile, kMismatch.
IoResult read_formatted(int32_t unit, const Format& format, InputList targets,
                        ErrorExit exit = ErrorExit::kNone);

// Writes the values through the format as one or more lines, each ended by CR LF. Failures:
// kWriteFailed (`zorikan.rtr: cannot write: No space left on device`), kUnitNotOpen,
// kNotAFile, kMismatch (nothing is written then).
IoResult write_formatted(int32_t unit, const Format& format, OutputList values,
                         ErrorExit exit = ErrorExit::kNone);

// Reads the next line as it is into a fixed-length text variable: cut to its length, blank-padded.
IoResult read_line(int32_t unit, std::span<char> text, ErrorExit exit = ErrorExit::kNone);

// Hands what was written to the unit's file on to the disk (fsync), so that it survives a power cut.
// Failures: kWriteFailed, kUnitNotOpen, kNotAFile.
IoResult sync_file(int32_t unit, ErrorExit exit = ErrorExit::kNone);

// Writes one line (Windows-1251 bytes) and its CR LF.
IoResult write_line(int32_t unit, std::string_view text, ErrorExit exit = ErrorExit::kNone);

}  // namespace zorikan
