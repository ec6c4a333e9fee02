// The results log zorikan.rtr: one dated line per completed training run and per completed vision check,
// appended by the two activities and read back by the results chart.
//
// Text in Windows-1251, lines ended by CR LF. Line 1 is the header line; every later line is one record,
// oldest first. Fields sit at fixed columns (1-based, inclusive), given once in the column table below;
// the writers' layouts and the readers' layouts are checked against it at compile time.
//
// Training record, 115 columns:
//   " 07.03.2026г,   9час  5мин  3сек, D=   60.0см  Is=   5  Nп= 100 Nв=  97 Nош=   2 Nно=   1 t_ср=    1.50с
//   Nотж=   5"
// Vision-check record, 80 columns (columns 1-43 as in the training record):
//   " 07.03.2026г,   9час  5мин  3сек, D=   60.0см  DD=15.6  ny=1080 nx=1920 OZ2=0.80"
// Columns 48-49 tell the kinds apart: "DD" marks a vision-check record, anything else is a training record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/cp1251.h"
#include "common/format.h"
#include "common/text_format.h"

namespace zorikan {

inline constexpr std::string_view kResultsLogName = "zorikan.rtr";
// The unit on which the log is open, for one record (writers) or one pass (the chart).
inline constexpr int32_t kResultsLogUnit = 15;

inline constexpr auto kResultsLogHeader = cp1251<
    "     Дата             Время        Дальность    Размер Nпоказов Nверн_отв Nошибок Nнет_отв Ср.вр._отв   "
    " Nотжиманий">();

inline constexpr size_t kTrainingRecordLength = 115;
inline constexpr size_t kVisionRecordLength = 80;
// The chart's line buffer: more than the longest line; longer lines are cut there.
inline constexpr size_t kResultsLogLineLength = 120;

// ---- The column table --------------------------------------------------------------------------------
struct LogColumns {
  int32_t first = 0;  // 1-based, inclusive
  int32_t last = 0;
  friend constexpr bool operator==(const LogColumns&, const LogColumns&) = default;
};

namespace log_columns {
// Both kinds.
inline constexpr LogColumns kDay{2, 3};         // I2.2
inline constexpr LogColumns kMonth{5, 6};       // I2.2
inline constexpr LogColumns kYear{8, 11};       // I4
inline constexpr LogColumns kHour{16, 17};      // I2
inline constexpr LogColumns kMinute{22, 23};    // I2
inline constexpr LogColumns kSecond{28, 29};    // I2
inline constexpr LogColumns kDistance{37, 43};  // F7.1, viewing distance in centimetres
inline constexpr LogColumns kKind{48, 49};      // "Is" training, "DD" vision check
// Training record.
inline constexpr LogColumns kPatternSize{51, 54};  // I4, pixels
inline constexpr LogColumns kImages{60, 63};       // I4, images shown
inline constexpr LogColumns kCorrect{68, 71};      // I4
inline constexpr LogColumns kWrong{77, 80};        // I4
inline constexpr LogColumns kMissed{86, 89};       // I4, no answer within 5 s
inline constexpr LogColumns kMeanTime{96, 103};  // F8.2, seconds; kNoMeanAnswerTime when nothing was answered
inline constexpr LogColumns kPushups{112, 115};  // I4
// Vision-check record.
inline constexpr LogColumns kDiagonal{51, 54};  // F4.1, inches
inline constexpr LogColumns kScreenNy{60, 63};  // I4, pixels (height before width)
inline constexpr LogColumns kScreenNx{68, 71};  // I4, pixels
inline constexpr LogColumns kAcuity{77, 80};    // F4.2, decimal acuity
}  // namespace log_columns

inline constexpr std::string_view kVisionRecordMark = "DD";
inline constexpr std::string_view kTrainingRecordMark = "Is";

// The mean answer time of a run in which no image was answered (0 / 0): written "   -1.00", which reads
// back as a number, so a reader's pass goes on, and which no real mean can be.
inline constexpr float kNoMeanAnswerTime = -1.0f;

// ---- Writers' layouts ---------------------------------------------------------------------------------
// Values: day, month, year, hour, minute, second, distance (real), pattern size, images, correct, wrong,
// missed, mean answer time (real), push-ups.
inline constexpr Format kTrainingRecordLayout = parse_format(
    "(1X,I2.2,'.',I2.2,'.',I4,'г,  ',I2,'час ',I2,'мин ',I2,'сек, D=',F7.1,'см  Is=',I4,'  Nп=',I4,"
    "' Nв=',I4,' Nош=',I4,' Nно=',I4,' t_ср=',F8.2,'с  Nотж=',I4)");
// Values: day, month, year, hour, minute, second, distance, diagonal (reals), screen ny, screen nx,
// acuity (real).
inline constexpr Format kVisionRecordLayout = parse_format(
    "(1X,I2.2,'.',I2.2,'.',I4,'г,  ',I2,'час ',I2,'мин ',I2,'сек, D=',F7.1,'см  DD=',F4.1,'  ny=',I4,"
    "' nx=',I4,' OZ2=',F4.2)");

// ---- Readers' layouts (reals without a decimal point are whole numbers) --------------------------------
// Day, month, year, hour, minute, second.
inline constexpr Format kRecordDateReadLayout = parse_format("(1X,I2,1X,I2,1X,I4,4X,I2,4X,I2,4X,I2)");
// Vision check: distance, acuity.
inline constexpr Format kVisionFieldsReadLayout = parse_format("(36X,F7.0,33X,F4.0)");
// Training: distance, pattern size, images, mean answer time, push-ups.
inline constexpr Format kTrainingFieldsReadLayout = parse_format("(36X,F7.0,7X,I4,5X,I4,32X,F8.0,8X,I4)");

// The columns of the value field number `index` (0-based) of a one-line layout; {0, 0} when there is none.
constexpr LogColumns value_columns(const Format& layout, size_t index) {
  int32_t column = 1;
  for (const EditDescriptor& item : layout.descriptors()) {
    const bool value = item.kind == EditKind::kInteger || item.kind == EditKind::kReal;
    for (uint32_t r = 0; r < (value ? item.repeat : 1u); ++r) {
      if (value && index-- == 0) return {column, column + item.width - 1};
      column += item.kind == EditKind::kNewLine ? 0 : item.width;
    }
  }
  return {};
}

// The length of a one-line layout's line, in columns.
constexpr int32_t line_columns(const Format& layout) {
  int32_t columns = 0;
  for (const EditDescriptor& item : layout.descriptors()) {
    const bool value = item.kind == EditKind::kInteger || item.kind == EditKind::kReal;
    columns += item.width * (value ? item.repeat : 1);
  }
  return columns;
}

// ---- Writing ------------------------------------------------------------------------------------------
// Opens zorikan.rtr on kResultsLogUnit for writing at its end. A missing log is created, and a log of 0
// bytes (cut short before its header ever reached the disk) gets the header line first, so that its first
// record is never taken for the header. A log that cannot be opened or created ends the program with a
// report naming the file and the reason.
void open_results_log();

// Writes one record through `layout` and closes the log. The line and its CR LF go to the system in one
// write and reach the disk before the close, so a crash or a power cut never leaves half a line; a write
// that fails (a full disk) takes back whatever part of the line reached the file and ends the program with
// a report naming the file and the reason, the earlier lines as they were.
void write_results_record(const Format& layout, OutputList values);

}  // namespace zorikan
