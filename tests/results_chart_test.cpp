// The results chart on a 980 x 650 window without a screen, over logs written with the writers'
// layouts: frames, grid, bars and segments at their pixels in their colours, stamps and prompt, each
// failure case, the window cleared first, texts kept inside it, the time grid thinned, the acuity scale
// doubled, every early stop named, an empty history said, and a run without a mean time.
#include <gtest/gtest.h>

#include <QPainter>

#include <algorithm>
#include <cfenv>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_state.h"
#include "chart/chart_texts.h"
#include "chart/show_results_chart.h"
#include "common/program_stop.h"
#include "display/display.h"
#include "display/window_registry.h"
#include "services/color_table.h"
#include "services/results_log.h"
#include "services/shared_words.h"
#include "services/window_registration.h"
#include "tests/support/screenless_window.h"
#include "tests/support/simulated_time.h"
#include "tests/support/temp_work_dir.h"

namespace zorikan {
namespace {

constexpr uint32_t kBlack = 0x000000, kBlue = 0x0000FF, kGreen = 0x00B200, kMagenta = 0xFF00FF,
                   kAmber = 0xE5B200, kPink = 0xFF007F, kRed = 0xFF0000, kPromptColor = 0x00AADD;

std::string record(const Format& layout, OutputList values) {
  std::array<char, kResultsLogLineLength> text;
  EXPECT_TRUE(format_to_text(text, layout, values, ErrorExit::kReturn).ok());
  std::string line(text.data(), text.size());
  return line.substr(0, line.find_last_not_of(' ') + 1);
}
std::string vision(int32_t day, int32_t hour, float acuity, int32_t month = 3, int32_t year = 2026) {
  return record(kVisionRecordLayout, {day, month, year, hour, 0, 0, 60.0f, 15.6f, 1080, 1920, acuity});
}
std::string training(int32_t day, int32_t hour, float distance, int32_t size, int32_t images, float mean,
                     int32_t pushups) {
  return record(kTrainingRecordLayout,
                {day, 3, 2026, hour, 0, 0, distance, size, images, images, 0, 0, mean, pushups});
}

constexpr auto kNoHistory = cp1251<"Записей пока нет: пройдите тренировку или проверку зрения">();
constexpr auto kNoteStart = cp1251<"zorikan.rtr, строка ">();
constexpr auto kNoteEnd = cp1251<", дальше не показано">();
constexpr auto kNotACalendarDate = cp1251<": неверная дата">();
constexpr auto kUnreadableField = cp1251<": нечитаемое поле">();
constexpr auto kBlankLine = cp1251<": пустая строка">();

struct ProgramStopped {};

class ResultsChart : public ::testing::Test {
 protected:
  void SetUp() override {
    set_stop_handler([] { throw ProgramStopped{}; });
    window_ = testing::open_screenless_window(980, 650);
    ASSERT_TRUE(window_);
    window_->surface.fill(0xFFFFFFFF);
    register_window(1, 980, 650);
    fill_default_colors();
    ASSERT_GT(init_fonts(), 0);
  }
  void TearDown() override {
    display::set_thread_active_window(nullptr);
    display::close_window(1);
  }
  // The log as lines after the header; none: no file at all.
  void show(std::optional<std::vector<std::string>> lines, bool header = true) {
    if (lines) {
      std::string bytes = header ? std::string(kResultsLogHeader.view()) + "\r\n" : "";
      for (const std::string& line : *lines) bytes += line + "\r\n";
      dir_.write("zorikan.rtr", bytes);
    }
    time_.at(time_.now() + 1, [] { click_flag = 1; });
    show_results_chart();
  }
  uint32_t rgb(int x, int y) const { return window_->surface.pixel(x, y) & 0xFFFFFF; }
  // Whether column x holds `colour` within two rows of y.
  bool near(int x, int y, uint32_t colour) const {
    for (int dy = -2; dy <= 2; ++dy)
      if (rgb(x, y + dy) == colour) return true;
    return false;
  }
  std::vector<int> columns_with(uint32_t colour, int top, int bottom) const {
    std::vector<int> columns;
    for (int x = 0; x < 980; ++x)
      for (int y = top; y <= bottom; ++y)
        if (rgb(x, y) == colour) {
          columns.push_back(x);
          break;
        }
    return columns;
  }
  // The text as drawn there in the font and colour, compared with what the chart drew in its box (which
  // is left as the chart drew it).
  bool shows_text(int x, int y, QRect box, std::string_view font, int32_t colour, std::string_view text) {
    const QImage chart = window_->surface.copy(box);
    QPainter(&window_->surface).fillRect(box, Qt::white);
    select_font(font);
    set_draw_color_rgb(colour);
    GraphicsPosition previous;
    move_to(static_cast<int16_t>(x), static_cast<int16_t>(y), previous);
    draw_text(text);
    const bool same = window_->surface.copy(box) == chart;
    QPainter(&window_->surface).drawImage(box.topLeft(), chart);
    return same;
  }
  // The column from which the chart drew the text in its box, looked for from x_from to x_to; -1: none.
  int text_column(int x_from, int x_to, int y, QRect box, int32_t colour, std::string_view text) {
    for (int x = x_from; x <= x_to; ++x)
      if (shows_text(x, y, box, kChartFont, colour, text)) return x;
    return -1;
  }
  static constexpr std::string_view kChartFont = "t'Times New Roman Cyr'h24w7b";

  testing::TempWorkDir dir_;
  testing::SimulatedTime time_;
  testing::TimeSoundServiceGuard guard_{time_};
  std::shared_ptr<display::ChildWindow> window_;
};

// Drawn over the start screen's finest grating, the chart is on white, and no text reaches the window's
// last column: the end stamp, wider than the 232 columns from its place (748, 620) to the edge, is moved
// left and drawn whole.
TEST_F(ResultsChart, KnownLogAtItsPixels) {
  for (int y = 0; y < 650; ++y)
    for (int x = 0; x < 980; ++x) window_->surface.setPixel(x, y, x / 2 % 2 ? 0xFF000000 : 0xFFFFFFFF);
  show(std::vector{vision(1, 10, 0.5f), training(1, 12, 250, 4, 100, 1.5f, 10), vision(2, 6, 0.8f),
                   training(2, 18, 400, 6, 160, 0.5f, 45)});
  for (int y = 35; y <= 252; ++y) EXPECT_TRUE(rgb(40, y) == kBlack && rgb(937, y) == kBlack) << y;
  for (int x = 40; x <= 937; ++x) EXPECT_TRUE(rgb(x, 35) == kBlack && rgb(x, 287) == kBlack) << x;
  EXPECT_EQ(columns_with(kBlack, 180, 180), (std::vector{40, 489, 937})) << "day lines, no row grid";
  EXPECT_EQ(columns_with(kBlack, 586, 610), (std::vector{40, 489, 937})) << "no line on an empty history";
  EXPECT_NEAR(columns_with(kBlack, 209, 209).size(), 450, 200) << "the dotted 0.2 line";
  struct Pixel {
    int x, y;
    uint32_t colour;
  };
  for (const Pixel& p : {Pixel{227, 200, kBlue}, Pixel{601, 100, kBlue}, Pixel{414, 111, kBlue},
                         Pixel{264, 500, kGreen}, Pixel{825, 400, kGreen}, Pixel{544, 401, kMagenta},
                         Pixel{544, 449, kBlue}, Pixel{544, 547, kAmber}, Pixel{544, 433, kPink}}) {
    EXPECT_TRUE(near(p.x, p.y, p.colour)) << p.x << ", " << p.y << ": " << std::hex << p.colour;
  }
  EXPECT_TRUE(shows_text(10, 620, QRect(10, 615, 249, 35), kChartFont, 0,
                         cp1251<"Начало  01.03.2026г, 10час  0мин">().view()));
  EXPECT_TRUE(shows_text(265, 621, QRect(266, 615, 475, 35), "t'Times New Roman Cyr'h28w9ib", 0xDDAA00,
                         cp1251<"Для продолжения нажмите любую кнопку мыши">().view()));
  const int stamp = text_column(700, 748, 620, QRect(742, 615, 238, 35), 0,
                                cp1251<"Конец  02.03.2026г,  6час  0мин">().view());
  EXPECT_TRUE(stamp > 700 && stamp < 748) << stamp;
  for (int y = 0; y < 650; ++y) EXPECT_EQ(rgb(979, y), 0xFFFFFFu) << y;
  int white = 0;
  for (int y = 35; y <= 612; ++y)
    for (int x = 938; x < 980; ++x) white += rgb(x, y) == 0xFFFFFF;
  EXPECT_GE(white, 42 * 578 * 99 / 100) << "right of the frames";
  EXPECT_EQ(columns_with(kBlack, 35, 612).front(), 40) << "left of the frames, the coloured marks alone";
}

TEST_F(ResultsChart, FailureCases) {
  struct Case {
    const char* name;
    std::optional<std::vector<std::string>> lines;
    bool header;
    int32_t record_count;
    double days;      // range_end - range_start
    bool frames;      // drawn at all
    size_t bars;      // green columns in frame 2
    bool no_history;  // the line that says so above the prompt
  };
  const Case cases[] = {
      {"no file", std::nullopt, true, 0, 0, false, 0, true},
      {"header only", std::vector<std::string>{}, true, 0, 1, true, 0, true},
      {"empty file", std::vector<std::string>{}, false, 0, 0, true, 0, true},
      {"unreadable date",
       std::vector{training(1, 9, 250, 4, 100, 1, 10), "xx" + training(2, 9, 250, 4, 100, 1, 10).substr(2),
                   training(3, 9, 250, 4, 100, 1, 10)},
       true, 2, 1, true, 1, false},
      {"unreadable value",
       std::vector{training(1, 9, 250, 4, 100, 1, 10),
                   training(2, 9, 250, 4, 100, 1, 10).replace(60, 3, "abc"),
                   training(3, 9, 250, 4, 100, 1, 10)},
       true, 5, 3, true, 1, false},
      {"only a broken line", std::vector{std::string(" 31.02")}, true, 0, 1, true, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window_->surface.fill(0xFFFFFFFF);
    chart_state = {};
    feenableexcept(FE_DIVBYZERO | FE_INVALID);
    show(c.lines, c.header);
    fedisableexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(chart_state.record_count, c.record_count);
    EXPECT_EQ(chart_state.range_end - chart_state.range_start, c.days * 86400);
    EXPECT_EQ(rgb(40, 35) == kBlack, c.frames);
    EXPECT_EQ(columns_with(kGreen, 500, 611).size(), c.bars);
    EXPECT_FALSE(columns_with(kPromptColor, 621, 649).empty()) << "the prompt";
    EXPECT_EQ(text_column(200, 320, 585, QRect(41, 583, 896, 28), 0, kNoHistory.view()) >= 0, c.no_history);
  }
}

// Whatever ends a pass before the end of the log is named in red above frame 1: the first line at
// which either pass stopped, and why. Lines after it are not plotted.
TEST_F(ResultsChart, EveryEarlyStopIsNamedWithItsLineAndReason) {
  const std::string day1 = training(1, 9, 250, 4, 100, 1, 10), day3 = training(3, 9, 250, 4, 100, 1, 10);
  const std::string stars = training(2, 9, 250, 4, 100, 1, 10).replace(59, 4, "****");
  const std::string no_date = training(31, 9, 250, 4, 100, 1, 10).replace(4, 2, "02");
  const std::string_view no_date_why = kNotACalendarDate.view(), unreadable = kUnreadableField.view();
  const struct {
    std::vector<std::string> lines;
    int32_t line;
    std::string_view reason;
  } cases[] = {
      {{day1, no_date, day3}, 3, no_date_why},
      {{day1, "", day3}, 3, kBlankLine.view()},
      {{day1, "xx" + day3.substr(2), day3}, 3, unreadable},
      {{day1, stars, day3}, 3, unreadable},
      {{day1, std::string(kResultsLogHeader.view()), day3}, 3, unreadable},
      {{day1, vision(2, 9, 0.5f).replace(76, 4, "****"), day3}, 3, unreadable},
      {{day1, day3, stars, no_date}, 4, unreadable},  // the plot pass stops first
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines[c.line - 2]);
    window_->surface.fill(0xFFFFFFFF);
    show(c.lines);
    EXPECT_EQ(columns_with(kGreen, 500, 611).size(), c.line - 2u) << "bars up to the stop";
    const std::string note = std::string(kNoteStart.view()) + std::to_string(c.line) + std::string(c.reason) +
                             std::string(kNoteEnd.view());
    EXPECT_TRUE(shows_text(490, 7, QRect(430, 5, 550, 29), kChartFont, 0x0000FF, note));
  }
}

TEST_F(ResultsChart, ARunWithoutAMeanTimeDrawsNoMeanTimeSegment) {
  show(std::vector{training(1, 12, 250, 4, 100, 1.5f, 40),
                   training(2, 12, 250, 4, 100, kNoMeanAnswerTime, 40),
                   training(3, 12, 250, 4, 100, 0.5f, 40)});
  EXPECT_EQ(chart_state.training_count, 3);
  std::vector<int> amber_rows;
  for (int y = 287; y <= 612; ++y)
    if (rgb(489, y) == kAmber) amber_rows.push_back(y);
  ASSERT_FALSE(amber_rows.empty()) << "the curve joins the first and the third run";
  EXPECT_GE(amber_rows.front(), 545);
  EXPECT_LE(amber_rows.back(), 550);
}

// The range stamps choose their colour and font themselves: drawn after another text left red and a large
// Courier selected, they come out as they do after the scale texts, in black.
TEST_F(ResultsChart, TheRangeStampsDrawInBlackInTheScaleFontWhateverWasSelectedBefore) {
  chart_state.first_stamp = {7, 3, 2026, 9, 5};
  chart_state.last_stamp = {12, 4, 2026, 23, 59};
  const QRect band(0, 600, 980, 50);
  const auto stamps_after = [&](std::string_view font, int32_t color_entry) {
    QPainter(&window_->surface).fillRect(band, Qt::white);
    select_font(font);
    select_color(color_entry);
    draw_range_stamps();
    return window_->surface.copy(band);
  };
  const QImage after_scale_texts = stamps_after(kChartFont, kBlackEntry);
  EXPECT_EQ(stamps_after("t'Courier New'h40w20", kRedEntry), after_scale_texts);
  EXPECT_FALSE(columns_with(kBlack, 600, 649).empty());
  EXPECT_TRUE(columns_with(kRed, 600, 649).empty());
}

// Dotted time lines in frame 2 over four lengths of history and a thousand years: a line every day
// for a week, every Monday for one and for three years, every 1 January for a century, none where even
// years would crowd; never closer than 4 px to each other or to the frame's edges.
TEST_F(ResultsChart, TheTimeGridThinsToWeeksMonthsOrYears) {
  const struct {
    int32_t first_year, first_month, first_day, last_year;  // to 31 December of last_year
    size_t lines;                                           // inside the frame's edges
    int first_column, least_gap, widest_gap;                // the edges' columns 40 and 937 included
  } cases[] = {
      {2026, 12, 25, 2026, 6, 168, 128, 129},  // a week: days
      {2025, 1, 1, 2025, 52, 52, 7, 18},       // a year: Mondays from 6 January
      {2023, 1, 1, 2025, 155, 47, 5, 8},       // three years: Mondays from 9 January
      {1926, 1, 1, 2025, 99, 49, 8, 9},        // a century: years
      {1026, 1, 1, 2025, 0, 937, 897, 897},    // a thousand years: none
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first_year);
    window_->surface.fill(0xFFFFFFFF);
    show(std::vector{vision(c.first_day, 9, 1, c.first_month, c.first_year),
                     vision(31, 9, 1, 12, c.last_year)});
    const std::vector<int> lines = columns_with(kBlack, 290, 345);
    ASSERT_EQ(lines.size(), c.lines + 2);
    EXPECT_EQ(std::pair(lines.front(), lines.back()), std::pair(40, 937));
    EXPECT_EQ(lines[1], c.first_column);
    std::vector<int> gaps(lines.size());
    std::adjacent_difference(lines.begin(), lines.end(), gaps.begin());
    EXPECT_EQ(*std::min_element(gaps.begin() + 1, gaps.end()), c.least_gap);
    EXPECT_EQ(*std::max_element(gaps.begin() + 1, gaps.end()), c.widest_gap);
  }
}

// An acuity above 1 anywhere in the log turns frame 1's scale into 0..2 with marks 0.4 apart at the
// same grid rows; a bar of 1.5 then stops three quarters up the frame, where 0.75 stops on 0..1.
TEST_F(ResultsChart, AnAcuityAboveOneDoublesTheAcuityScale) {
  const struct {
    float first, second;  // checks on 1 and 2 March at 10:00
    int top_row;          // of the first bar, at column 227
    std::string_view upper_mark, top_mark;
  } cases[] = {{0.75f, 1.0f, 89, "0.8", "1"}, {1.5f, 1.0f, 89, "1.6", "2"}, {0.75f, 1.01f, 171, "1.6", "2"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.second);
    window_->surface.fill(0xFFFFFFFF);
    show(std::vector{vision(1, 10, c.first), vision(2, 10, c.second)});
    EXPECT_EQ(rgb(227, c.top_row), kBlue);
    EXPECT_NE(rgb(227, c.top_row - 1), kBlue);
    std::vector<int> grid_rows;
    for (int y = 30; y <= 260; ++y)
      if (columns_with(kBlack, y, y).size() > 100) grid_rows.push_back(y);
    EXPECT_EQ(grid_rows, (std::vector{35, 78, 122, 165, 209, 252}));
    EXPECT_TRUE(shows_text(8, 65, QRect(0, 62, 40, 27), kChartFont, 0xFF0000, c.upper_mark));
    EXPECT_TRUE(shows_text(20, 21, QRect(0, 18, 40, 14), kChartFont, 0xFF0000, c.top_mark));
  }
}

}  // namespace
}  // namespace zorikan
