// The vision check: probes levels of the acuity ladder with test_acuity_level, by bisection, appends the
// result to zorikan.rtr and shows it until a click, with the notes that apply to it (result_notes.h). A ring
// that cannot be put on the screen ends the check with a message instead, and nothing is written: the answers
// could not judge the level.
//
// Leaving: both buttons during a level test end the check with nothing written or shown; button_code and
// click_flag are cleared, buttons_held stays as the mouse routine set it, so that the main loop waits for
// the real release (whose events then find nothing to complete). A menu command during a level test ends
// it too and leaves the words for the main loop, which performs the command.
#include "vision/run_vision_check.h"

#include <array>
#include <string>
#include <string_view>

#include "common/cp1251.h"
#include "common/format.h"
#include "common/text_format.h"
#include "display/display.h"
#include "services/acuity_ladder.h"
#include "services/click_prompt.h"
#include "services/colors.h"
#include "services/date_and_time.h"
#include "services/draw_text_at.h"
#include "services/results_log.h"
#include "services/screen_fonts.h"
#include "services/session_params.h"
#include "services/shared_words.h"
#include "services/wait_for_click.h"
#include "vision/acuity_search.h"
#include "vision/check_message.h"
#include "vision/result_notes.h"
#include "vision/setup_fault.h"
#include "vision/test_acuity_level.h"

namespace zorikan {
namespace {

constexpr Format kTitleText = parse_format("('Острота зрения')");
constexpr Format kResultText = parse_format("(F4.1)");
// The notes under the result (result_notes.h), in a narrower font, so a long one still fits the window.
constexpr std::string_view kNoteFont = "t'Times New Roman Cyr'h30w11ib";
// Instead of a result when a ring could not be put on the screen.
constexpr auto kStopped = cp1251<"Проверка зрения прервана:">();
constexpr auto kRingNotShown = cp1251<"кольцо не удалось показать на экране.">();
constexpr auto kNothingWritten = cp1251<"Результат не записан.">();

// Formats `values` through `format` and draws the record at (x, y).
void draw_formatted(int16_t x, int16_t y, const Format& format, OutputList values) {
  std::array<char, 80> text{};
  const size_t length = record_width(format);
  format_to_text(text, format, values);
  draw_text_at(x, y, std::string_view(text.data(), length));
}

void append_record(float acuity) {
  int32_t day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
  date_and_time(day, month, year, hour, minute, second);
  open_results_log();
  write_results_record(kVisionRecordLayout, {day, month, year, hour, minute, second,
                                             session_params.distance_cm, session_params.diagonal_inch,
                                             session_params.screen_ny, session_params.screen_nx, acuity});
}

void draw_note(int16_t y, const std::string& text) {
  if (text.empty()) return;
  select_font(kNoteFont);
  draw_text_at(60, y, text);
}

// Over whatever the last level test left on the screen.
void show_result(float acuity, int16_t window_nx, int16_t window_ny) {
  set_draw_color_rgb(kBlue);
  select_font(kScreenTextFont);
  draw_formatted(200, 250, kTitleText, {});
  select_font(kScreenNumberFont);
  draw_formatted(500, 185, kResultText, {acuity});
  const ResultNotes notes = result_notes(acuity, session_params, {window_nx, window_ny});
  draw_note(430, notes.beyond);
  draw_note(470, notes.clipped);
  select_font(kScreenTextFont);
  show_click_prompt();
}

}  // namespace

void run_vision_check(int16_t window_nx, int16_t window_ny) {
  const SetupFault fault = find_setup_fault(session_params);
  if (fault != SetupFault::kNone) {
    show_setup_fault(fault, window_nx, window_ny);
    wait_for_click();
    return;
  }
  AcuitySearch search;
  for (;;) {
    int32_t passed = 0;
    const bool shown =
        test_acuity_level(kAcuityLadder[search.mid], session_params.distance_cm, session_params.diagonal_inch,
                          window_nx, window_ny, session_params.screen_nx, session_params.screen_ny, passed);
    if (button_code == kBothButtons) {
      button_code = 0;
      click_flag = 0;
      return;
    }
    if (mode_request != kNoRequest) return;
    if (!shown) {
      show_check_message({kStopped.view(), kRingNotShown.view(), kNothingWritten.view()}, window_nx,
                         window_ny);
      wait_for_click();
      return;
    }
    const int32_t result = take_verdict(search, passed == 1);
    if (result == 0) continue;
    const float acuity = kAcuityLadder[result];
    append_record(acuity);
    show_result(acuity, window_nx, window_ny);
    wait_for_click();
    return;
  }
}

}  // namespace zorikan
