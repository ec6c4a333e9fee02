// The parameter dialog: defaults, saved values, the five boxes, their read-back and the save.
#include "session/parameter_dialog.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "common/cp1251.h"
#include "common/file_units.h"
#include "common/format.h"
#include "common/logical.h"
#include "common/program_stop.h"
#include "common/text_format.h"
#include "dialog/dialog_resources.h"
#include "display/display.h"
#include "session/parameter_ranges.h"
#include "session/saved_parameters.h"
#include "session/session_params.h"

namespace zorikan {
namespace {

constexpr int32_t kStartButton = 1;
constexpr int32_t kExitButton = 2;
constexpr int32_t kGraphicsUnit = 1;

constexpr auto kStartText = cp1251<"Начать работу">();
constexpr auto kExitText = cp1251<"Выйти из программы">();
constexpr std::string_view kTemplateMissing = "Диалог IDD_DIALOG1 не найден";

// Every number passes through this buffer on its way into and out of the dialog.
constexpr size_t kTextBufferLength = 10;

constexpr Format kDistanceShown = parse_format("(F6.1)");
constexpr Format kDiagonalShown = parse_format("(F6.2)");
constexpr Format kIntegerShown = parse_format("(I4)");
// Read back without implied decimals: "65" is 65.0.
constexpr Format kRealTyped = parse_format("(F10.0)");
constexpr Format kIntegerTyped = parse_format("(I10)");

struct ParameterBox {
  int32_t control_id;
  std::string_view label;  // UTF-8, names the box in the conversion report and the range message
  const Format* shown;
  size_t shown_length;  // leading characters of the buffer put into the box
  const Format* typed;
  const ParameterRange* range;
  float SessionParams::*real;
  int32_t SessionParams::*integer;
};

// In the order the boxes are filled and read back.
constexpr std::array<ParameterBox, 5> kBoxes = {{
    {1000, "Дальность до дисплея", &kDistanceShown, 6, &kRealTyped, &kDistanceRange,
     &SessionParams::distance_cm, nullptr},
    {1001, "Диагональ дисплея", &kDiagonalShown, 6, &kRealTyped, &kDiagonalRange,
     &SessionParams::diagonal_inch, nullptr},
    {1002, "Разрешение экрана, Ny=", &kIntegerShown, 4, &kIntegerTyped, &kResolutionRange, nullptr,
     &SessionParams::screen_ny},
    {1003, "Разрешение экрана, Nx=", &kIntegerShown, 4, &kIntegerTyped, &kResolutionRange, nullptr,
     &SessionParams::screen_nx},
    {1004, "Объем тренировки", &kIntegerShown, 4, &kIntegerTyped, &kVolumeRange, nullptr,
     &SessionParams::training_volume},
}};

// The dialog's record lives for the whole run.
DialogRecord g_dialog;
int32_t g_start_pressed = 0;
std::array<char, kTextBufferLength> g_text_buffer;

void set_defaults(SessionParams& params) {
  params.distance_cm = 200.0f;
  params.diagonal_inch = 17.7f;
  params.screen_nx = 1024;
  params.screen_ny = 768;
  params.training_volume = 100;
}

void fill_box(const ParameterBox& box) {
  if (box.real != nullptr) {
    format_to_text(g_text_buffer, *box.shown, {session_params.*box.real});
  } else {
    format_to_text(g_text_buffer, *box.shown, {session_params.*box.integer});
  }
  dialog_set_text(g_dialog, box.control_id, std::string_view(g_text_buffer.data(), box.shown_length));
}

// Reads a box into its field of `params`; false when its text is no number (NaN and the infinities are
// none for the dialog). The box's text stays in the text buffer.
bool read_box_into(const ParameterBox& box, SessionParams& params) {
  dialog_get_text(g_dialog, box.control_id, g_text_buffer);
  const std::string_view text(g_text_buffer.data(), g_text_buffer.size());
  if (box.real != nullptr) {
    float value = 0;
    const bool number =
        parse_text(text, *box.typed, {&value}, ErrorExit::kReturn).ok() && std::isfinite(value);
    if (!number) return false;
    params.*box.real = value;
    return true;
  }
  int32_t value = 0;
  if (!parse_text(text, *box.typed, {&value}, ErrorExit::kReturn).ok()) return false;
  params.*box.integer = value;
  return true;
}

// A box that does not hold a number ends the program with a report naming the box and its text.
void read_box(const ParameterBox& box) {
  if (read_box_into(box, session_params)) return;
  const std::string_view text(g_text_buffer.data(), g_text_buffer.size());
  const std::string_view found = text.substr(0, text.find_last_not_of(' ') + 1);
  report_fatal_error("parameter dialog: the box \"" + std::string(box.label) + "\" holds \"" +
                     cp1251_to_utf8(found) + "\", which does not read as " +
                     (box.real != nullptr ? "a real number" : "an integer"));
}

std::string number_text(double value) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%g", value);
  return text.data();
}

bool box_in_range(const ParameterBox& box, const SessionParams& params) {
  return box.real != nullptr ? in_range(*box.range, params.*box.real)
                             : in_range(*box.range, params.*box.integer);
}

// "Начать работу" with a number outside its box's range: a message names the box and its range, and
// the dialog stays open for a correction. A box without a number is left to the read-back.
bool boxes_in_range() {
  for (const ParameterBox& box : kBoxes) {
    SessionParams typed;
    if (!read_box_into(box, typed) || box_in_range(box, typed)) continue;
    dialog_message_box(
        g_dialog, utf8_to_cp1251(std::string(box.label) + ": допустимы числа от " +
                                 number_text(box.range->lowest) + " до " + number_text(box.range->highest)));
    return false;
  }
  return true;
}

}  // namespace

void dialog_button_handler(DialogRecord& dialog, int32_t& control_id, int32_t& /*callback_kind*/) {
  if (control_id == kStartButton && !boxes_in_range()) return;
  if (control_id == kStartButton) g_start_pressed = 1;
  if (control_id == kExitButton) g_start_pressed = 0;
  dialog_exit(dialog);
}

void parameter_dialog() {
  set_defaults(session_params);
  if (!is_true(dialog_init(kParameterDialogId, g_dialog))) report_fatal_error(kTemplateMissing);
  read_saved_parameters(session_params);

  dialog_set_text(g_dialog, kExitButton, kExitText.view());
  dialog_set_text(g_dialog, kStartButton, kStartText.view());
  for (const ParameterBox& box : kBoxes) fill_box(box);
  dialog_set_callback(g_dialog, kExitButton, &dialog_button_handler);
  dialog_set_callback(g_dialog, kStartButton, &dialog_button_handler);
  dialog_run_modal(g_dialog);

  // Whichever button was pressed: a box without a number ends the program here.
  for (const ParameterBox& box : kBoxes) read_box(box);

  if (g_start_pressed == 0) {
    close_file(kGraphicsUnit);
    beep(0, 0);
    stop_program();
  }
  save_parameters(session_params);
}

}  // namespace zorikan
