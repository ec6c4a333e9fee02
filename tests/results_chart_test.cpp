// The results chart on a white 980 x 650 window without a screen, over logs written with the writers'
// layouts: frames, grid, bars and segments at their pixels in their colours, stamps and prompt, each
// failure case, and the two mends (a date that is no calendar date; a run without a mean time).
#include <gtest/gtest.h>

#include <cfenv>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_state.h"
#include "chart/show_results_chart.h"
#include "common/program_stop.h"
#include "display/display.h"
#include "display/window_registry.h"
#include "session/color_table.h"
#include "session/shared_words.h"
#include "session/window_registration.h"
#include "tests/support/screenless_window.h"
#include "tests/support/simulated_time.h"
#include "tests/support/temp_work_dir.h"
#include "training/results_log.h"

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
std::string vision(int32_t day, int32_t hour, float acuity) {
  return record(kVisionRecordLayout, {day, 3, 2026, hour, 0, 0, 60.0f, 15.6f, 1080, 1920, acuity});
}
std::string training(int32_t day, int32_t hour, float distance, int32_t size, int32_t images, float mean,
                     int32_t pushups) {
  return record(kTrainingRecordLayout,
                {day, 3, 2026, hour, 0, 0, distance, size, images, images, 0, 0, mean, pushups});
}

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
  // The text as drawn there in the font and colour, compared with what the chart drew in its box.
  bool shows_text(int x, int y, QRect box, std::string_view font, int32_t colour, std::string_view text) {
    const QImage chart = window_->surface.copy(box);
    for (int y = box.top(); y <= box.bottom(); ++y)
      for (int x = box.left(); x <= box.right(); ++x) window_->surface.setPixel(x, y, 0xFFFFFFFF);
    select_font(font);
    set_draw_color_rgb(colour);
    GraphicsPosition previous;
    move_to(static_cast<int16_t>(x), static_cast<int16_t>(y), previous);
    draw_text(text);
    return window_->surface.copy(box) == chart;
  }

  testing::TempWorkDir dir_;
  testing::SimulatedTime time_;
  testing::TimeSoundServiceGuard guard_{time_};
  std::shared_ptr<display::ChildWindow> window_;
};

TEST_F(ResultsChart, KnownLogAtItsPixels) {
  show(std::vector{vision(1, 10, 0.5f), training(1, 12, 250, 4, 100, 1.5f, 10), vision(2, 6, 0.8f),
                   training(2, 18, 400, 6, 160, 0.5f, 45)});
  for (int y = 35; y <= 252; ++y) EXPECT_TRUE(rgb(40, y) == kBlack && rgb(937, y) == kBlack) << y;
  for (int x = 40; x <= 937; ++x) EXPECT_TRUE(rgb(x, 35) == kBlack && rgb(x, 287) == kBlack) << x;
  EXPECT_EQ(columns_with(kBlack, 180, 180), (std::vector{40, 489, 937})) << "day lines, no row grid";
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
  constexpr std::string_view kFont = "t'Times New Roman Cyr'h24w7b";
  EXPECT_TRUE(shows_text(10, 620, QRect(10, 615, 249, 35), kFont, 0,
                         cp1251<"Начало  01.03.2026г, 10час  0мин">().view()));
  EXPECT_TRUE(shows_text(748, 620, QRect(748, 615, 232, 35), kFont, 0,
                         cp1251<"Конец  02.03.2026г,  6час  0мин">().view()));
  EXPECT_TRUE(shows_text(265, 621, QRect(266, 615, 475, 35), "t'Times New Roman Cyr'h28w9ib", 0xDDAA00,
                         cp1251<"Для продолжения нажмите любую кнопку мыши">().view()));
}

TEST_F(ResultsChart, FailureCases) {
  struct Case {
    const char* name;
    std::optional<std::vector<std::string>> lines;
    bool header;
    int32_t record_count;
    double days;  // range_end - range_start
    bool frames;  // drawn at all
    size_t bars;  // green columns in frame 2
  };
  const Case cases[] = {
      {"no file", std::nullopt, true, 0, 0, false, 0},
      {"header only", std::vector<std::string>{}, true, 0, 1, true, 0},
      {"empty file", std::vector<std::string>{}, false, 0, 0, true, 0},
      {"unreadable date",
       std::vector{training(1, 9, 250, 4, 100, 1, 10), "xx" + training(2, 9, 250, 4, 100, 1, 10).substr(2),
                   training(3, 9, 250, 4, 100, 1, 10)},
       true, 2, 1, true, 1},
      {"unreadable value",
       std::vector{training(1, 9, 250, 4, 100, 1, 10),
                   training(2, 9, 250, 4, 100, 1, 10).replace(60, 3, "abc"),
                   training(3, 9, 250, 4, 100, 1, 10)},
       true, 5, 3, true, 1},
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
  }
}

TEST_F(ResultsChart, ADateThatIsNoCalendarDateEndsThePassesAndIsNamed) {
  for (const std::string& bad : {training(31, 9, 250, 4, 100, 1, 10).replace(4, 2, "02"), std::string()}) {
    chart_state = {};
    window_->surface.fill(0xFFFFFFFF);
    show(std::vector{training(1, 9, 250, 4, 100, 1, 10), bad, training(3, 9, 250, 4, 100, 1, 10)});
    EXPECT_EQ(chart_state.stopping_line, 3);
    EXPECT_EQ(chart_state.record_count, 2);
    EXPECT_EQ(chart_state.range_end - chart_state.range_start, 86400);
    EXPECT_GT(columns_with(kRed, 7, 31).size(), 30u) << "the note on the line";
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

}  // namespace
}  // namespace zorikan
