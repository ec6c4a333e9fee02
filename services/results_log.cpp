// The results log; see results_log.h.
#include "services/results_log.h"

#include <filesystem>
#include <system_error>

#include "common/file_units.h"

namespace zorikan {
namespace {

using namespace log_columns;

constexpr bool columns_are(const Format& layout, std::initializer_list<LogColumns> expected) {
  size_t index = 0;
  for (const LogColumns& columns : expected) {
    if (value_columns(layout, index++) != columns) return false;
  }
  return value_columns(layout, index) == LogColumns{};
}

static_assert(line_columns(kTrainingRecordLayout) == kTrainingRecordLength);
static_assert(line_columns(kVisionRecordLayout) == kVisionRecordLength);
static_assert(kResultsLogHeader.view().size() == kTrainingRecordLength);
static_assert(columns_are(kTrainingRecordLayout,
                          {kDay, kMonth, kYear, kHour, kMinute, kSecond, kDistance, kPatternSize, kImages,
                           kCorrect, kWrong, kMissed, kMeanTime, kPushups}));
static_assert(columns_are(kVisionRecordLayout, {kDay, kMonth, kYear, kHour, kMinute, kSecond, kDistance,
                                                kDiagonal, kScreenNy, kScreenNx, kAcuity}));
static_assert(columns_are(kRecordDateReadLayout, {kDay, kMonth, kYear, kHour, kMinute, kSecond}));
static_assert(columns_are(kVisionFieldsReadLayout, {kDistance, kAcuity}));
static_assert(columns_are(kTrainingFieldsReadLayout,
                          {kDistance, kPatternSize, kImages, kMeanTime, kPushups}));

bool is_empty_file(std::string_view name) {
  std::error_code error;
  return std::filesystem::file_size(name, error) == 0 && !error;
}

}  // namespace

void open_results_log() {
  const bool needs_header = is_empty_file(kResultsLogName);
  const IoResult opened = open_file(kResultsLogUnit, kResultsLogName, FileStatus::kOld, ErrorExit::kReturn,
                                    FilePosition::kAppend);
  if (opened.status == IoStatus::kFileNotFound) {
    open_file(kResultsLogUnit, kResultsLogName, FileStatus::kNew);
    write_line(kResultsLogUnit, kResultsLogHeader.view());
    return;
  }
  // Any other failure (a directory of that name, no permission) ends the program with its own report.
  apply_error_exit(opened, ErrorExit::kNone);
  if (needs_header) write_line(kResultsLogUnit, kResultsLogHeader.view());
}

void write_results_record(const Format& layout, OutputList values) {
  write_formatted(kResultsLogUnit, layout, values);
  sync_file(kResultsLogUnit);
  close_file(kResultsLogUnit);
}

}  // namespace zorikan
