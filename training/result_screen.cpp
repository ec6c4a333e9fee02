// The result screen; see result_screen.h. Program thread.
#include "training/result_screen.h"

#include <algorithm>
#include <span>

#include "common/cp1251.h"
#include "common/format.h"
#include "common/text_format.h"
#include "display/display.h"
#include "services/click_prompt.h"
#include "services/colors.h"
#include "services/draw_text_at.h"
#include "services/results_log.h"
#include "services/screen_fonts.h"
#include "services/wait_for_click.h"
#include "training/count_word_forms.h"

namespace zorikan {
namespace {

constexpr std::string_view kPushupFont = "t'Times New Roman Cyr'h68w20ib";

constexpr Format kCountLayout = parse_format("(I4)");
constexpr Format kMeanLayout = parse_format("(F7.2)");

constexpr auto kMeanTitle = cp1251<"Среднее время ответа">();
constexpr auto kSeconds = cp1251<"сек.">();
constexpr auto kNoPushups = cp1251<"Ошибок нет, отжиматься не надо!">();
constexpr auto kPushupRequest = cp1251<"Сделайте">();

ScreenText& next_text(std::string_view font, int32_t color, int16_t x, int16_t y) {
  ScreenText& item = result_screen.texts[static_cast<size_t>(result_screen.count++)];
  item = ScreenText{font, color, x, y, {}, 0};
  item.text.fill(' ');
  return item;
}

// Appends `text` to the item's text; `shown` characters of the whole are drawn. An empty text may have
// no bytes at all (a null data pointer), which memcpy must never be given.
void append(ScreenText& item, size_t at, std::string_view text) {
  std::copy_n(text.begin(), std::min(text.size(), item.text.size() - at), item.text.begin() + at);
}

void add_text(std::string_view font, int32_t color, int16_t x, int16_t y, std::string_view text) {
  ScreenText& item = next_text(font, color, x, y);
  append(item, 0, text);
  item.length = static_cast<int32_t>(text.size());
}

// A count as I4, then its word straight after the four columns.
void add_count(std::string_view font, int32_t color, int16_t x, int16_t y, int32_t count,
               std::string_view word) {
  ScreenText& item = next_text(font, color, x, y);
  format_to_text(std::span(item.text).first(4), kCountLayout, {count});
  append(item, 4, word);
  item.length = static_cast<int32_t>(4 + word.size());
}

void add_mean(float mean) {
  ScreenText& item = next_text(kScreenNumberFont, kGreen, 400, 55);
  if (mean == kNoMeanAnswerTime) {
    append(item, 0, kNoMeanShown);
  } else {
    format_to_text(std::span(item.text).first(7), kMeanLayout, {mean});
  }
  item.length = 7;
}

void add_pushups(int32_t pushups) {
  if (pushups == 0) {
    add_text(kPushupFont, kGreen, 55, 280, kNoPushups.view());
    return;
  }
  add_text(kPushupFont, kRed, 30, 280, kPushupRequest.view());
  add_count(kScreenNumberFont, kRed, 200, 235, pushups, {});
  add_text(kPushupFont, kRed, 370, 280, kPushupWords[word_form(pushups)]);
}

void draw(const ScreenText& item) {
  select_font(item.font);
  set_draw_color_rgb(item.color);
  draw_text_at(item.x, item.y, item.shown());
}

}  // namespace

ResultScreen result_screen;

void compose_result_screen(int32_t volume, const TrainingCounts& counts) {
  result_screen.count = 0;
  add_count(kScreenTextFont, kOlive, 30, 0, volume, kAttemptWords[word_form(volume)]);
  add_count(kScreenTextFont, kOlive, 250, 0, counts.error_count, kErrorWords[word_form(counts.error_count)]);
  add_count(kScreenTextFont, kOlive, 500, 0, counts.missed_count,
            kMissedWords[word_form(counts.missed_count)]);
  add_text(kScreenTextFont, kGreen, 50, 120, kMeanTitle.view());
  add_text(kScreenTextFont, kGreen, 655, 120, kSeconds.view());
  add_mean(counts.mean_answer_time);
  add_pushups(counts.pushup_count);
}

void draw_result_screen(int16_t nx, int16_t ny) {
  set_draw_color_rgb(kWhite);
  draw_rectangle(kFilled, 0, 0, static_cast<int16_t>(nx - 1), static_cast<int16_t>(ny - 1));
  for (int32_t i = 0; i < result_screen.count; ++i) draw(result_screen.texts[static_cast<size_t>(i)]);
}

void await_final_click() {
  show_click_prompt();
  wait_for_click();
}

}  // namespace zorikan
