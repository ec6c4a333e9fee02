// The vision check: probes levels of the acuity ladder with test_acuity_level, by bisection, appends the
// result to zorikan.rtr and shows it until a click; a result finer than the set-up can show gets a line
// naming the viewing distance that would measure it.
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
#include "services/highest_measurable_level.h"
#include "services/results_log.h"
#include "services/screen_fonts.h"
#include "services/session_params.h"
#include "services/shared_words.h"
#include "services/wait_for_click.h"
#include "vision/acuity_search.h"
#include "vision/setup_fault.h"
#include "vision/test_acuity_level.h"

namespace zorikan {
namespace {

constexpr Format kTitleText = parse_format("('Острота зрения')");
constexpr Format kResultText = parse_format("(F4.1)");
// Under a result above what the set-up can measure, followed by the distance that would measure it.
constexpr std::string_view kBeyondFont = "t'Times New Roman Cyr'h30w11ib";
constexpr auto kBeyondText = cp1251<"Выше предела этой установки: для измерения нужна дальность ">();
constexpr auto kCentimetres = cp1251<" см">();

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

// A result whose gap is under one pixel at this set-up was not measured by the ring's size: the line says
// so, with the distance at which that gap would cover a pixel.
void show_beyond_line(float acuity) {
  const SessionParams& p = session_params;
  if (!(acuity > highest_measurable_level(p.distance_cm, p.diagonal_inch, p.screen_nx, p.screen_ny))) return;
  const int32_t distance = distance_to_measure_cm(acuity, p.diagonal_inch, p.screen_nx, p.screen_ny);
  const std::string line =
      std::string(kBeyondText.view()) + std::to_string(distance) + std::string(kCentimetres.view());
  select_font(kBeyondFont);
  draw_text_at(60, 430, line);
}

// Over whatever the last level test left on the screen.
void show_result(float acuity) {
  set_draw_color_rgb(kBlue);
  select_font(kScreenTextFont);
  draw_formatted(200, 250, kTitleText, {});
  select_font(kScreenNumberFont);
  draw_formatted(500, 185, kResultText, {acuity});
  show_beyond_line(acuity);
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
    test_acuity_level(kAcuityLadder[search.mid], session_params.distance_cm, session_params.diagonal_inch,
                      window_nx, window_ny, session_params.screen_nx, session_params.screen_ny, passed);
    if (button_code == kBothButtons) {
      button_code = 0;
      click_flag = 0;
      return;
    }
    if (mode_request != kNoRequest) return;
    const int32_t result = take_verdict(search, passed == 1);
    if (result == 0) continue;
    const float acuity = kAcuityLadder[result];
    append_record(acuity);
    show_result(acuity);
    wait_for_click();
    return;
  }
}

}  // namespace zorikan
