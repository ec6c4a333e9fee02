// Reading and the atomic rewriting of zorikan.vvd.
#include "session/saved_parameters.h"

#include <filesystem>
#include <string>

#include "common/file_units.h"
#include "common/program_stop.h"
#include "common/system_file.h"
#include "session/parameter_ranges.h"

namespace zorikan {
namespace {

// Reads the next line's value; the target changes only when it reads and lies in its range.
template <typename Value>
void read_value(const Format& format, const ParameterRange& range, Value& target) {
  Value value = 0;
  if (!read_formatted(kSavedParametersUnit, format, {&value}, ErrorExit::kReturn).ok()) return;
  if (in_range(range, value)) target = value;
}

// Ends the program after removing the half-written temporary file.
[[noreturn]] void abandon_save(const std::string& report) {
  close_file(kSavedParametersUnit, ErrorExit::kReturn);
  std::error_code ignored;
  std::filesystem::remove(utf8_path(std::string(kSavedParametersTemporaryName)), ignored);
  report_fatal_error(report);
}

}  // namespace

void read_saved_parameters(SessionParams& params) {
  if (!open_file(kSavedParametersUnit, kSavedParametersFileName, FileStatus::kOld, ErrorExit::kReturn).ok()) {
    return;
  }
  // Past the end of the file every read fails, so a short file keeps the values of its missing lines.
  read_value(kSavedRealValue, kDistanceRange, params.distance_cm);
  read_value(kSavedRealValue, kDiagonalRange, params.diagonal_inch);
  read_value(kSavedIntegerValue, kResolutionRange, params.screen_ny);
  read_value(kSavedIntegerValue, kResolutionRange, params.screen_nx);
  read_value(kSavedIntegerValue, kVolumeRange, params.training_volume);
  close_file(kSavedParametersUnit);
}

void save_parameters(const SessionParams& params) {
  const std::string temporary(kSavedParametersTemporaryName);
  const IoResult opened =
      open_file(kSavedParametersUnit, temporary, FileStatus::kUnknown, ErrorExit::kReturn);
  if (!opened.ok()) report_fatal_error(opened.report);  // nothing was created: nothing to remove
  const IoResult written = write_formatted(
      kSavedParametersUnit, kSavedParametersLines,
      {params.distance_cm, params.diagonal_inch, params.screen_ny, params.screen_nx, params.training_volume},
      ErrorExit::kReturn);
  if (!written.ok()) abandon_save(written.report);
  const IoResult closed = close_file(kSavedParametersUnit, ErrorExit::kReturn);
  if (!closed.ok()) abandon_save(closed.report);
  const std::string target(kSavedParametersFileName);
  const std::string why = replace_file_durably(temporary, target);
  if (!why.empty()) abandon_save(target + ": cannot replace it by " + temporary + ": " + why);
}

}  // namespace zorikan
