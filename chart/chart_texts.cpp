// The chart's texts; see chart_texts.h. Positions of plot_text are window text coordinates (240 x 180,
// origin bottom left); the stamps and the prompt are placed in pixels.
#include "chart/chart_texts.h"

#include <array>
#include <charconv>
#include <span>
#include <string_view>

#include "chart/chart_state.h"
#include "chart/curve_colors.h"
#include "chart/plot_text.h"
#include "common/cp1251.h"
#include "common/real_to_integer.h"
#include "common/text_format.h"
#include "display/display.h"
#include "services/click_prompt.h"
#include "services/color_table.h"
#include "services/colors.h"
#include "services/draw_text_at.h"
#include "services/graphics_window.h"
#include "services/window_registration.h"

namespace zorikan {
namespace {

constexpr float kTextSize = 8;

struct ScaleText {
  float x;
  float y;
  int32_t color;
  std::string_view text;  // Windows-1251
};

constexpr auto kAcuityTitle = cp1251<"Острота зрения">();
constexpr auto kImagesMark = cp1251<"100">();
constexpr auto kImagesTitle = cp1251<"Объем(200)">();
constexpr auto kDistanceMark = cp1251<"2м">();
constexpr auto kDistanceTitle = cp1251<"Дальность(5м)">();
constexpr auto kSizeMark = cp1251<"6">();
constexpr auto kSizeTitle = cp1251<"Квадрат(10)">();
constexpr auto kTimeMark = cp1251<"1с">();
constexpr auto kTimeTitle = cp1251<"Среднее_время(5с)">();
constexpr auto kPushupsMark = cp1251<"5">();
constexpr auto kPushupsTitle = cp1251<"Число отжиманий(50)">();

// The acuity marks at the grid lines of frame 1: where each stands, and what it reads for a world box of
// 0..1 and of 0..2.
struct TextPlace {
  float x;
  float y;
};
constexpr std::array<TextPlace, 6> kAcuityMarkPlaces = {
    {{5, 114}, {2, 126}, {2, 138}, {2, 150}, {2, 162}, {5, 174}}};
constexpr std::array<std::string_view, 6> kAcuityMarksToOne = {"0", "0.2", "0.4", "0.6", "0.8", "1"};
constexpr std::array<std::string_view, 6> kAcuityMarksToTwo = {"0", "0.4", "0.8", "1.2", "1.6", "2"};

// In drawing order, after the acuity marks: acuity title, images, distance, size, time, push-ups.
constexpr std::array<ScaleText, 11> kScaleTexts = {{
    {70, 178, kAcuityColor, kAcuityTitle.view()},
    {2, 58, kImagesColor, kImagesMark.view()},
    {20, 107, kImagesColor, kImagesTitle.view()},
    {2, 50, kDistanceColor, kDistanceMark.view()},
    {60, 107, kDistanceColor, kDistanceTitle.view()},
    {3, 67, kSizeColor, kSizeMark.view()},
    {100, 107, kSizeColor, kSizeTitle.view()},
    {2, 32, kMeanTimeColor, kTimeMark.view()},
    {140, 107, kMeanTimeColor, kTimeTitle.view()},
    {3, 22, kPushupsColor, kPushupsMark.view()},
    {190, 107, kPushupsColor, kPushupsTitle.view()},
}};

constexpr Format kStartStampLayout = parse_format("('Начало  ',I2.2,'.',I2.2,'.',I4,'г,',I3,'час',I3,'мин')");
constexpr Format kEndStampLayout = parse_format("('Конец  ',I2.2,'.',I2.2,'.',I4,'г,',I3,'час',I3,'мин')");

constexpr std::string_view kPromptFont = "t'Times New Roman Cyr'h28w9ib";

constexpr auto kNoteStart = cp1251<"zorikan.rtr, строка ">();
constexpr auto kNotACalendarDate = cp1251<": неверная дата">();
constexpr auto kUnreadableField = cp1251<": нечитаемое поле">();
constexpr auto kBlankLine = cp1251<": пустая строка">();
constexpr auto kNoteEnd = cp1251<", дальше не показано">();

constexpr auto kNoHistory = cp1251<"Записей пока нет: пройдите тренировку или проверку зрения">();
constexpr int32_t kNoHistoryTop = 585;  // above the prompt, inside an empty frame 2 below its grid

std::string_view reason_text(StopReason reason) {
  switch (reason) {
    case StopReason::kNotACalendarDate:
      return kNotACalendarDate.view();
    case StopReason::kUnreadableField:
      return kUnreadableField.view();
    case StopReason::kBlankLine:
      return kBlankLine.view();
  }
  return {};
}

// At pixel (x, y) in the current font and colour, moved left as far as it would run past the window.
void draw_text_inside(int32_t x, int32_t y, std::string_view text) {
  draw_text_at(static_cast<int16_t>(x_inside_window(kGraphicsUnit, x, text)), static_cast<int16_t>(y), text);
}

void draw_acuity_marks(const std::array<std::string_view, 6>& marks) {
  select_color(kAcuityColor);
  for (size_t i = 0; i < marks.size(); ++i) {
    plot_text(kGraphicsUnit, kAcuityMarkPlaces[i].x, kAcuityMarkPlaces[i].y, kTextSize, 0, marks[i]);
  }
}

void draw_scale(std::span<const ScaleText> texts) {
  for (const ScaleText& text : texts) {
    select_color(text.color);
    plot_text(kGraphicsUnit, text.x, text.y, kTextSize, 0, text.text);
  }
}

void draw_stamp(int16_t x, const Format& layout, const RecordStamp& stamp) {
  std::array<char, 80> buffer;
  buffer.fill(' ');
  format_to_text(buffer, layout, {stamp.day, stamp.month, stamp.year, stamp.hour, stamp.minute},
                 ErrorExit::kReturn);
  draw_text_inside(x, 620, std::string_view(buffer.data(), record_width(layout)));
}

}  // namespace

void draw_scale_texts() {
  draw_acuity_marks(chart_state.acuity_above_one ? kAcuityMarksToTwo : kAcuityMarksToOne);
  draw_scale(kScaleTexts);
}

void draw_range_stamps() {
  select_color(kBlackEntry);
  select_text_font(kTextSize);
  draw_stamp(10, kStartStampLayout, chart_state.first_stamp);
  draw_stamp(748, kEndStampLayout, chart_state.last_stamp);
}

void draw_pass_stop_note() {
  const PassStop& stop = chart_state.stop;
  if (stop.line == 0) return;
  std::array<char, 80> note;
  char* end = std::copy(kNoteStart.view().begin(), kNoteStart.view().end(), note.begin());
  end = std::to_chars(end, end + 11, stop.line).ptr;
  const std::string_view reason = reason_text(stop.reason);
  end = std::copy(reason.begin(), reason.end(), end);
  end = std::copy(kNoteEnd.view().begin(), kNoteEnd.view().end(), end);
  select_color(kRedEntry);
  plot_text(kGraphicsUnit, 120, 178, kTextSize, 0, std::string_view(note.data(), end));
  select_color(kBlackEntry);
}

void draw_no_history_line() {
  select_color(kBlackEntry);
  select_text_font(kTextSize);
  const int32_t width = measure_text(kNoHistory.view());
  const int32_t window_width = truncate_int(window_registration[kGraphicsUnit].pixel_width);
  draw_text_inside((window_width - width) / 2, kNoHistoryTop, kNoHistory.view());
}

void draw_prompt() {
  select_font(kPromptFont);
  set_draw_color_rgb(kAzure);
  draw_text_inside(265, 621, kClickPromptText.view());
}

}  // namespace zorikan
