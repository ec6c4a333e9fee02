// Formatted text conversion: values to fixed-column text and back through a parsed Format.
//
// Output (`format_to_text`, and `write_formatted` of the file units):
//   Iw    right-justified, blank-padded; a minus sign for negatives. Iw.m: at least m digits with
//         leading zeros (I2.2 writes 7 as "07"); Iw.0 writes 0 as blanks.
//   Fw.d  the value's exact single-precision value rounded to d decimals, halves away from zero
//         (2.5f/3 is 0.833333313..., so F9.7 writes "0.8333333"; 0.125f in F4.2 is "0.13"), always
//         with the decimal point; a "0" before the point when |value| < 1 only if the field has room
//         for it (0.5 is " 0.50" in F5.2, ".50" in F3.2). A negative value that rounds to zero is
//         written without its sign ("-0.001" in F5.2 is " 0.00"). NaN is written "NaN" and the
//         infinities "Inf" and "-Inf", right-justified.
//   nX    moves n columns on; the columns are blank when something is written after them, and a line
//         does not end in the blanks of a trailing X.
//   text  written as it is.  "/": the line ends, the next begins.
//   A value too wide for its field fills the field with asterisks.
//
// Input (`parse_text`, and `read_formatted` of the file units):
//   Blanks inside a field are ignored and an empty field reads as 0. Iw takes an optional sign and
//   digits. Fw.d takes an optional sign, digits with or without a decimal point, and an optional
//   exponent (E, D or a bare sign: "1.5E3", "1.5D3", "1.5+3"); without a decimal point the last d
//   digits are decimals (F7.3 reads "     65" as 0.065, "65.0" as 65). "NaN", "Inf" and "Infinity"
//   (any case, optionally signed) read as what they name, so whatever Fw.d writes reads back.
//   A line shorter than the format reads its missing columns as blanks. nX and quoted texts skip
//   their columns, so a writer's format also reads its own lines. "/" goes on to the next line.
//
// Values and lines: processing stops at the first I or F descriptor for which no value is left, or at
// the format's end. When values remain at the end, the format starts again from its beginning on a
// new line (20 values per line with "(20I4)"). A read always consumes at least one line.
#pragma once

#include <concepts>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "common/format.h"
#include "common/io_result.h"

namespace zorikan {

using OutputValue = std::variant<int32_t, float>;
using InputTarget = std::variant<int32_t*, float*>;

// A contiguous range (array, vector, span) that can be viewed as a span of T.
template <typename Range, typename T>
concept ViewableAs = std::constructible_from<std::span<T>, Range&>;

// The values of one output operation: `{day, month, distance}` (int32_t or float; a double does not
// convert, so write 1.5f), or a whole array or vector of int32_t, float or OutputValue. A view, valid
// for the call it is passed to.
class OutputList {
 public:
  OutputList() = default;
  OutputList(std::initializer_list<OutputValue> values) : mixed_(values.begin(), values.size()) {}
  template <ViewableAs<const OutputValue> Range>
  OutputList(Range&& values) : mixed_(std::span<const OutputValue>(values)) {}
  template <ViewableAs<const int32_t> Range>
  OutputList(Range&& values) : integers_(std::span<const int32_t>(values)) {}
  template <ViewableAs<const float> Range>
  OutputList(Range&& values) : reals_(std::span<const float>(values)) {}

  size_t size() const { return mixed_.size() + integers_.size() + reals_.size(); }
  OutputValue operator[](size_t i) const {
    if (!integers_.empty()) return integers_[i];
    if (!reals_.empty()) return reals_[i];
    return mixed_[i];
  }

 private:
  std::span<const OutputValue> mixed_;
  std::span<const int32_t> integers_;
  std::span<const float> reals_;
};

// The variables of one input operation: `{&count}`, `{&distance, &size}`, or a whole array or vector
// of int32_t, float or InputTarget (the 2N point offsets of a glyph). A view, valid for the call it
// is passed to.
class InputList {
 public:
  InputList() = default;
  InputList(std::initializer_list<InputTarget> targets) : mixed_(targets.begin(), targets.size()) {}
  template <ViewableAs<const InputTarget> Range>
  InputList(Range&& targets) : mixed_(std::span<const InputTarget>(targets)) {}
  template <ViewableAs<int32_t> Range>
  InputList(Range&& targets) : integers_(std::span<int32_t>(targets)) {}
  template <ViewableAs<float> Range>
  InputList(Range&& targets) : reals_(std::span<float>(targets)) {}

  size_t size() const { return mixed_.size() + integers_.size() + reals_.size(); }
  InputTarget operator[](size_t i) const {
    if (!integers_.empty()) return &integers_[i];
    if (!reals_.empty()) return &reals_[i];
    return mixed_[i];
  }

 private:
  std::span<const InputTarget> mixed_;
  std::span<int32_t> integers_;
  std::span<float> reals_;
};

// Formats the values as one line into a fixed-length text variable, blank-padded to its end.
// Output longer than the text, or needing a second line, is a failure (kOutputTooLong), and so is a
// value of the wrong type for its descriptor (kMismatch); on failure the text is left unchanged.
IoResult format_to_text(std::span<char> text, const Format& format, OutputList values,
                        ErrorExit exit = ErrorExit::kNone);

// Reads the values from a text, as from a line of a file; columns past its end read as blanks.
// Failures: kBadField (report: `text "<text>", columns 1-10: "12abc" is not an integer`),
// kEndOfFile when the format asks for a second line, kMismatch. Values before the failing field are
// stored.
IoResult parse_text(std::string_view text, const Format& format, InputList targets,
                    ErrorExit exit = ErrorExit::kNone);

// The line-level engine under these operations and the file units.

// A failure of the engine, located in the line being converted when it was found.
struct RecordFailure {
  IoStatus status = IoStatus::kOk;
  int32_t first_column = 0;  // 1-based columns of the field concerned; 0 when no field is concerned
  int32_t last_column = 0;
  std::string what;  // UTF-8, e.g. "\"abc\" is not an integer"; empty for kEndOfFile and kReadFailed

  bool ok() const { return status == IoStatus::kOk; }
};

// Receives each finished line of output (Windows-1251, without a line end).
using RecordSink = std::function<void(std::string_view line)>;
// Supplies the next line of input: kOk with the line (valid until the next call), or kEndOfFile /
// kReadFailed.
using RecordSource = std::function<IoStatus(std::string_view& line)>;

// Nothing reaches the sink unless the whole output converts.
RecordFailure write_records(const Format& format, OutputList values, const RecordSink& sink);
RecordFailure read_records(const Format& format, InputList targets, const RecordSource& source);

// "columns 17-24" or "column 5", for reports.
std::string describe_columns(int32_t first_column, int32_t last_column);

}  // namespace zorikan
