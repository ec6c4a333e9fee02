// The parameter dialog: defaults, saved values, the five boxes, the set-up line under them and the card
// ruler for the diagonal, the boxes' read-back and the save.
#include "session/parameter_dialog.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/cp1251.h"
#include "common/file_units.h"
#include "common/format.h"
#include "common/logical.h"
#include "common/program_stop.h"
#include "common/text_format.h"
#include "dialog/dialog_resources.h"
#include "display/display.h"
#include "services/colors.h"
#include "services/graphics_window.h"
#include "services/session_params.h"
#include "services/window_size.h"
#include "session/card_ruler.h"
#include "session/parameter_ranges.h"
#include "session/saved_parameters.h"
#include "session/set_up_line.h"
#include "session/typed_number.h"

namespace zorikan {
namespace {

constexpr int32_t kStartButton = 1;
constexpr int32_t kExitButton = 2;
constexpr int32_t kRulerButton = 1005;
constexpr int32_t kMeasureLine = 1006;
constexpr int32_t kScreenLine = 1007;

constexpr auto kStartText = cp1251<"Начать работу">();
constexpr auto kExitText = cp1251<"Выйти из программы">();
constexpr std::string_view kTemplateMissing = "Диалог IDD_DIALOG1 не найден";
constexpr auto kRulerInstruction = cp1251<
    "Приложите к экрану банковскую карту (85.60 мм, этот размер у всех банковских карт и удостоверений) "
    "длинной стороной к полосе, левым краем к левой черте. Растяните полосу до правого края карты: тяните "
    "мышью, нажимайте стрелки влево и вправо или крутите колесо мыши (шаг - один пиксел).">();

// A box's text as the program takes it from the dialog and gives it back: its first 10 characters,
// blank-padded.
using BoxText = std::array<char, 10>;

constexpr Format kDistanceShown = parse_format("(F6.1)");
constexpr Format kDiagonalShown = parse_format("(F6.2)");
constexpr Format kIntegerShown = parse_format("(I4)");

struct ParameterBox {
  int32_t control_id;
  std::string_view label;  // UTF-8, names the box in the conversion report and the range message
  const Format* shown;
  size_t shown_length;  // leading characters of the buffer put into the box
  const ParameterRange* range;
  float SessionParams::*real;
  int32_t SessionParams::*integer;
};

// In the order the boxes are filled and read back.
constexpr std::array<ParameterBox, 5> kBoxes = {{
    {1000, "Дальность до дисплея", &kDistanceShown, 6, &kDistanceRange, &SessionParams::distance_cm, nullptr},
    {1001, "Диагональ дисплея", &kDiagonalShown, 6, &kDiagonalRange, &SessionParams::diagonal_inch, nullptr},
    {1002, "Разрешение экрана, Ny=", &kIntegerShown, 4, &kResolutionRange, nullptr,
     &SessionParams::screen_ny},
    {1003, "Разрешение экрана, Nx=", &kIntegerShown, 4, &kResolutionRange, nullptr,
     &SessionParams::screen_nx},
    {1004, "Объем тренировки", &kIntegerShown, 4, &kVolumeRange, nullptr, &SessionParams::training_volume},
}};

// The boxes of the set-up: what the ring's size rests on.
constexpr const ParameterBox& kDistanceBox = kBoxes[0];
constexpr const ParameterBox& kDiagonalBox = kBoxes[1];
constexpr const ParameterBox& kNyBox = kBoxes[2];
constexpr const ParameterBox& kNxBox = kBoxes[3];

// The dialog's record lives for the whole run.
DialogRecord g_dialog;
int32_t g_start_pressed = 0;

BoxText box_text(DialogRecord& dialog, const ParameterBox& box) {
  BoxText text;
  text.fill(' ');
  dialog_get_text(dialog, box.control_id, text);
  return text;
}

// Puts `value` into the box as the box shows numbers.
template <typename Value>
void set_box_value(DialogRecord& dialog, const ParameterBox& box, Value value) {
  BoxText text;
  text.fill(' ');
  format_to_text(text, *box.shown, {value});
  dialog_set_text(dialog, box.control_id, std::string_view(text.data(), box.shown_length));
}

void fill_box(DialogRecord& dialog, const ParameterBox& box) {
  if (box.real != nullptr) {
    set_box_value(dialog, box, session_params.*box.real);
  } else {
    set_box_value(dialog, box, session_params.*box.integer);
  }
}

// Reads a box's text into its field of `params`; false when the text is no number (NaN and the
// infinities are none for the dialog).
bool read_box_value(const ParameterBox& box, const BoxText& typed, SessionParams& params) {
  const std::string_view text(typed.data(), typed.size());
  if (box.real != nullptr) {
    const std::optional<float> value = typed_real(text);
    if (value) params.*box.real = *value;
    return value.has_value();
  }
  const std::optional<int32_t> value = typed_integer(text);
  if (value) params.*box.integer = *value;
  return value.has_value();
}

// A box that does not hold a number ends the program with a report naming the box and its text.
void read_box(DialogRecord& dialog, const ParameterBox& box) {
  const BoxText typed = box_text(dialog, box);
  if (read_box_value(box, typed, session_params)) return;
  const std::string_view text(typed.data(), typed.size());
  const std::string_view found = text.substr(0, text.find_last_not_of(' ') + 1);
  report_fatal_error("parameter dialog: the box \"" + std::string(box.label) + "\" holds \"" +
                     cp1251_to_utf8(found) + "\", which does not read as " +
                     (box.real != nullptr ? "a real number" : "an integer"));
}

bool box_in_range(const ParameterBox& box, const SessionParams& params) {
  return box.real != nullptr ? in_range(*box.range, params.*box.real)
                             : in_range(*box.range, params.*box.integer);
}

// "Начать работу" with a number outside its box's range: a message names the box and its range, and
// the dialog stays open for a correction. A box without a number is left to the read-back.
bool boxes_in_range(DialogRecord& dialog) {
  for (const ParameterBox& box : kBoxes) {
    SessionParams typed;
    if (!read_box_value(box, box_text(dialog, box), typed) || box_in_range(box, typed)) continue;
    dialog_message_box(dialog, utf8_to_cp1251(range_message(box.label, *box.range)));
    return false;
  }
  return true;
}

// The four boxes of the set-up as typed; `texts` holds their texts for the result's views.
TypedSetUp typed_set_up(DialogRecord& dialog, std::array<std::string, 4>& texts) {
  const auto typed = [&dialog](const ParameterBox& box, std::string& text) {
    const BoxText typed_text = box_text(dialog, box);
    text.assign(typed_text.data(), typed_text.size());
    return TypedValue{box.label, text, box.range, box.integer != nullptr};
  };
  return {typed(kDistanceBox, texts[0]), typed(kDiagonalBox, texts[1]), typed(kNyBox, texts[2]),
          typed(kNxBox, texts[3])};
}

// Bound to the dialog's creation and to the changes of the four set-up boxes.
void show_set_up_line(DialogRecord& dialog, int32_t& /*control_id*/, int32_t& /*callback_kind*/) {
  std::array<std::string, 4> texts;
  const SetUpLine line =
      set_up_line(typed_set_up(dialog, texts), dialog_screen(dialog), {window_nx, window_ny});
  dialog_set_text(dialog, kMeasureLine, utf8_to_cp1251(line.measure));
  dialog_set_text(dialog, kScreenLine, utf8_to_cp1251(line.screen));
  const std::optional<uint32_t> warning_color =
      line.screen_differs ? std::optional(static_cast<uint32_t>(kDarkRed)) : std::nullopt;
  dialog_set_text_color(dialog, kScreenLine, warning_color);
}

// The resolution the ruler's bar counts in: the screen's, in device pixels, whatever the resolution typed
// (none when the system tells no resolution that the boxes can hold).
std::optional<std::pair<int32_t, int32_t>> ruler_resolution(const DialogScreen& screen) {
  if (!in_range(*kNxBox.range, screen.width_pixels) || !in_range(*kNyBox.range, screen.height_pixels))
    return std::nullopt;
  return std::pair{screen.width_pixels, screen.height_pixels};
}

// Bound to "Линейка": the ruler measures the pixel pitch against a bank card, and the diagonal that the
// pitch gives goes into its box as the box shows numbers. The bar counts device pixels of the screen the
// dialog is on, so the diagonal rests on that screen's resolution: where the resolution typed differs,
// the screen's goes into the Ny and Nx boxes as well. Where the system tells no resolution the typed one
// is taken, and without a usable one the ruler cannot give a diagonal: a message says what is wrong.
void measure_diagonal(DialogRecord& dialog, int32_t& /*control_id*/, int32_t& /*callback_kind*/) {
  std::array<std::string, 4> texts;
  const TypedSetUp typed = typed_set_up(dialog, texts);
  const TypedReading ny = read_typed(typed.screen_ny);
  const TypedReading nx = read_typed(typed.screen_nx);
  const std::optional<std::pair<int32_t, int32_t>> screen = ruler_resolution(dialog_screen(dialog));
  for (const TypedReading* resolution : {&ny, &nx}) {
    if (screen || resolution->ok()) continue;
    dialog_message_box(dialog, utf8_to_cp1251(resolution->problem));
    return;
  }
  const auto [nx_pixels, ny_pixels] =
      screen ? *screen : std::pair{static_cast<int32_t>(nx.value), static_cast<int32_t>(ny.value)};
  const TypedReading diagonal = read_typed(typed.diagonal);
  const int32_t initial = diagonal.ok() ? card_bar_pixels(diagonal.value, nx_pixels, ny_pixels) : 0;
  const std::optional<int32_t> bar = dialog_ruler(dialog, kRulerInstruction.view(), kCardLongEdgeMm, initial);
  if (!bar) return;
  const auto measured = static_cast<float>(diagonal_from_card_bar(*bar, nx_pixels, ny_pixels));
  if (!in_range(*kDiagonalBox.range, measured)) {
    dialog_message_box(dialog, utf8_to_cp1251(range_message(kDiagonalBox.label, *kDiagonalBox.range)));
    return;
  }
  if (!ny.ok() || !nx.ok() || ny.value != ny_pixels || nx.value != nx_pixels) {
    set_box_value(dialog, kNyBox, ny_pixels);
    set_box_value(dialog, kNxBox, nx_pixels);
  }
  set_box_value(dialog, kDiagonalBox, measured);
}

}  // namespace

void dialog_button_handler(DialogRecord& dialog, int32_t& control_id, int32_t& /*callback_kind*/) {
  if (control_id == kStartButton && !boxes_in_range(dialog)) return;
  if (control_id == kStartButton) g_start_pressed = 1;
  if (control_id == kExitButton) g_start_pressed = 0;
  dialog_exit(dialog);
}

void parameter_dialog() {
  session_params = kDefaultSessionParams;
  if (!is_true(dialog_init(kParameterDialogId, g_dialog))) report_fatal_error(kTemplateMissing);
  read_saved_parameters(session_params);

  dialog_set_text(g_dialog, kExitButton, kExitText.view());
  dialog_set_text(g_dialog, kStartButton, kStartText.view());
  for (const ParameterBox& box : kBoxes) fill_box(g_dialog, box);
  dialog_set_callback(g_dialog, kExitButton, &dialog_button_handler);
  dialog_set_callback(g_dialog, kStartButton, &dialog_button_handler);
  dialog_set_callback(g_dialog, kParameterDialogId, &show_set_up_line);
  for (const ParameterBox* box : {&kDistanceBox, &kDiagonalBox, &kNyBox, &kNxBox}) {
    dialog_set_callback(g_dialog, box->control_id, &show_set_up_line);
  }
  dialog_set_callback(g_dialog, kRulerButton, &measure_diagonal);
  dialog_run_modal(g_dialog);

  // Whichever button was pressed: a box without a number ends the program here.
  for (const ParameterBox& box : kBoxes) read_box(g_dialog, box);

  if (g_start_pressed == 0) {
    close_file(kGraphicsUnit);
    beep(0, 0);
    stop_program();
  }
  save_parameters(session_params);
}

}  // namespace zorikan
