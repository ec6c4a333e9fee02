// The saved parameters zorikan.vvd: its layout, shared by the reader and the writer, and both.
//
// Text in the working directory, Windows-1251, CR LF, five lines in this order:
//   1  distance_cm      columns 1-7  F7.3 ("200.000")   then "  (дальность в сантиметрах)"
//   2  diagonal_inch    columns 1-7  F7.3 (" 17.700")   then "  (диагональ дисплея в дюймах)"
//   3  screen_ny        columns 1-7  I7   ("    768")   then "  (разрешение экрана, пикселей по Y)"
//   4  screen_nx        columns 1-7  I7   ("   1024")   then "  (разрешение экрана, пикселей по X)"
//   5  training_volume  columns 1-7  I7   ("    100")   then "  (объем тренировки)"
// The comments are written and never read. A real read without a decimal point takes its last three
// digits as decimals ("    200" is 0.2); a value too wide for its 7 columns is written as "*******".
#pragma once

#include <cstdint>
#include <string_view>

#include "common/format.h"
#include "services/session_params.h"

namespace zorikan {

inline constexpr std::string_view kSavedParametersFileName = "zorikan.vvd";
// The new file is written here, beside the old one, and renamed over it once complete.
inline constexpr std::string_view kSavedParametersTemporaryName = "zorikan.vvd.tmp";
// Shared with the glyph file, which is never open at the same time.
inline constexpr int32_t kSavedParametersUnit = 14;

inline constexpr Format kSavedRealValue = parse_format("(F7.3)");
inline constexpr Format kSavedIntegerValue = parse_format("(I7)");
inline constexpr Format kSavedParametersLines = parse_format(
    "(F7.3,'  (дальность в сантиметрах)'/"
    " F7.3,'  (диагональ дисплея в дюймах)'/"
    " I7,'  (разрешение экрана, пикселей по Y)'/"
    " I7,'  (разрешение экрана, пикселей по X)'/"
    " I7,'  (объем тренировки)')");

// Reads zorikan.vvd into `params`, one line per value in file order, each line on its own: a line that
// does not read (letters, asterisks, NaN) or whose value lies outside its range (parameter_ranges.h)
// leaves its value as `params` held it, and the lines after it are still read. An absent or unopenable
// file changes nothing, a short one only the values of the lines it has. No message.
void read_saved_parameters(SessionParams& params);

// Replaces zorikan.vvd by the five lines of `params`. The lines go to kSavedParametersTemporaryName,
// which is flushed to the disk and then renamed over zorikan.vvd, so a failure part-way (full disk,
// crash) leaves the previous file whole. A failure ends the program with a report naming the file.
void save_parameters(const SessionParams& params);

}  // namespace zorikan
