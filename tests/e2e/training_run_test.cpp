// The training run in the whole program, driven by the robot user on the real window with simulated
// time: a full run answered from the pixels, a mixed run with its exact counts, screen and record,
// abandoning, a click while drawing, and the drawing path of a window of another size.
#include <algorithm>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "display/display.h"
#include "display/time_sound_service.h"
#include "services/results_log.h"
#include "services/session_params.h"
#include "services/window_size.h"
#include "session/mouse_handler.h"
#include "session/open_graphics_window.h"
#include "tests/e2e/training_robot.h"
#include "training/result_screen.h"
#include "training/training_counts.h"

namespace zorikan::testing {
namespace {

const std::string kHeader(kResultsLogHeader.view());

std::vector<int> frequencies(const std::vector<SimulatedTone>& tones) {
  std::vector<int> result;
  for (const SimulatedTone& tone : tones) {
    if (tone.frequency_hz != 0) result.push_back(tone.frequency_hz);  // 0 Hz: the exit's silent tone
  }
  return result;
}

// The robot starts a run of `volume` images at size 5 with a left click.
void start_run(TrainingSessionRun& session, int volume) {
  session.time.at(session.size_five_moment(), [volume] {
    session_params.training_volume = volume;
    click_button(Qt::LeftButton);
  });
}

long pixels_of(const QImage& picture, uint32_t rgb, int top, int bottom) {
  long count = 0;
  for (int y = top; y <= bottom; ++y) {
    for (int x = 0; x < picture.width(); ++x) count += rgb_at(picture, x, y) == rgb;
  }
  return count;
}

TEST(TrainingRun, RobotReadingThePixelsAnswersAHundredImagesAtSizeFiveAllCorrect) {
  TrainingSessionRun session;
  TrainingRobot robot(session.time, std::vector<Answer>(100, {Act::kSide, 0.5}));
  start_run(session, 100);
  QImage final_screen;
  robot.on_final_prompt = [&] { final_screen = window_picture(); };
  ASSERT_EQ(session.run(120), 0);

  EXPECT_EQ(training_counts.correct_count, 100);
  EXPECT_EQ(training_counts.error_count + training_counts.missed_count, 0);
  EXPECT_NEAR(training_counts.mean_answer_time, 0.5, 0.001);
  ASSERT_EQ(robot.pictures.size(), 100u);
  QImage black(980, 630, QImage::Format_RGB32);
  black.fill(Qt::black);
  int left = 0;
  for (size_t i = 0; i < robot.pictures.size(); i += 9) {
    const QImage& shown = robot.pictures[i];
    const int offset = robot.left_sides[i] ? 20 : 450;
    EXPECT_EQ(differing_pixels(picture_area(shown), training_reference(black, 5, offset, glyph_of_size(5))),
              0)
        << "image " << i + 1;
    EXPECT_EQ(rgb_at(shown, 0, 15), 0x00FF00u) << "readiness strip green while the answer is awaited";
    EXPECT_EQ(rgb_at(shown, 0, 5), 0x00FFFFu) << "progress strip cyan up to the image reached";
    EXPECT_EQ(rgb_at(shown, 979, 5), i == 99 ? 0x00FFFFu : 0x0000FFu);
  }
  for (bool side : robot.left_sides) left += side;
  EXPECT_GT(left, 20);
  EXPECT_LT(left, 80);
  EXPECT_EQ(std::string(result_screen.texts[6].shown()), utf8_to_cp1251("Ошибок нет, отжиматься не надо!"));
  EXPECT_GT(pixels_of(final_screen, 0x00AA00, 280, 350), 500) << "the no-push-up text in green";
  EXPECT_GT(pixels_of(final_screen, 0x0000FF, 550, 600), 500) << "the final prompt in blue";
  const std::string log = session.dir.read("zorikan.rtr");
  ASSERT_EQ(log.size(), 2 * 117u);
  EXPECT_EQ(log.substr(0, 117), kHeader + "\r\n");
  EXPECT_EQ(log.substr(117 + 50),
            utf8_to_cp1251("   5  Nп= 100 Nв= 100 Nош=   0 Nно=   0 t_ср=    0.50с  Nотж=   0\r\n"));
}

// A record's date and time columns for the local time of `seconds`.
std::string record_stamp(double seconds) {
  const display::LocalTime local = display::local_time_at(static_cast<std::time_t>(seconds), 0);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, " %02d.%02d.%4dг,  %2dчас %2dмин %2dсек, D=", local.day, local.month,
                local.year, local.hour, local.minute, local.second);
  return utf8_to_cp1251(stamp);
}

TEST(TrainingRun, MixedRunGivesExactCountsMeanPushupsScreenTextsAndRecord) {
  TrainingSessionRun session(SimulatedTime::epoch_of_local_time({2026, 3, 7, 9, 4, 0, 0}));
  // Right after 1 s, wrong after 2 s, missed, right at 4.99 s, right during the opening tone (taken
  // when the tone ends, at 0.2 s), wrong after 0.5 s.
  TrainingRobot robot(session.time, {{Act::kSide, 1.0},
                                     {Act::kOtherSide, 2.0},
                                     {Act::kNothing},
                                     {Act::kSide, 4.99},
                                     {Act::kSide, 0.1},
                                     {Act::kOtherSide, 0.5}});
  start_run(session, 6);
  QImage final_screen;
  robot.on_final_prompt = [&] { final_screen = window_picture(); };
  ASSERT_EQ(session.run(), 0);

  const TrainingCounts& counts = training_counts;
  EXPECT_EQ(counts.correct_count, 3);
  EXPECT_EQ(counts.error_count, 2);
  EXPECT_EQ(counts.missed_count, 1);
  EXPECT_NEAR(counts.answer_time_sum, 1.0 + 2.0 + 4.99 + 0.2 + 0.5, 0.005);
  EXPECT_NEAR(counts.mean_answer_time, 8.69 / 5, 0.001);
  EXPECT_EQ(counts.pushup_count, 5);
  const std::vector<int> tones = frequencies(session.time.tones());
  EXPECT_EQ(tones, (std::vector<int>{1000, 800, 1000, 200, 1000, 400, 1000, 800, 1000, 800, 1000, 200}));

  const std::string count_font = "t'Times New Roman Cyr'h38w17ib";
  const std::string large_font = "t'Times New Roman Cyr'h120w40ib";
  const std::string pushup_font = "t'Times New Roman Cyr'h68w20ib";
  struct Text {
    std::string font;
    int32_t color;
    int x, y;
    std::string utf8;
  };
  const std::vector<Text> expected = {
      {count_font, 0x009999, 30, 0, "   6 попыток"},
      {count_font, 0x009999, 250, 0, "   2 ошибки"},
      {count_font, 0x009999, 500, 0, "   1 раз не ответили"},
      {count_font, 0x00AA00, 50, 120, "Среднее время ответа"},
      {count_font, 0x00AA00, 655, 120, "сек."},
      {large_font, 0x00AA00, 400, 55, "   1.74"},
      {pushup_font, 0x0000FF, 30, 280, "Сделайте"},
      {large_font, 0x0000FF, 200, 235, "   5"},
      {pushup_font, 0x0000FF, 370, 280, "отжиманий, пожалуйста!"},
  };
  ASSERT_EQ(result_screen.count, static_cast<int32_t>(expected.size()));
  for (size_t i = 0; i < expected.size(); ++i) {
    const ScreenText& shown = result_screen.texts[i];
    EXPECT_EQ(std::string(shown.font), expected[i].font) << i;
    EXPECT_EQ(shown.color, expected[i].color) << i;
    EXPECT_EQ(shown.x, expected[i].x) << i;
    EXPECT_EQ(shown.y, expected[i].y) << i;
    EXPECT_EQ(std::string(shown.shown()), utf8_to_cp1251(expected[i].utf8)) << i;
  }
  EXPECT_GT(pixels_of(final_screen, 0x999900, 0, 60), 500) << "the count line in olive";
  EXPECT_GT(pixels_of(final_screen, 0x00AA00, 55, 200), 2000) << "the mean and its title in green";
  EXPECT_GT(pixels_of(final_screen, 0xFF0000, 235, 380), 2000) << "the push-up request in red";
  EXPECT_GT(pixels_of(final_screen, 0x0000FF, 550, 600), 500) << "the final prompt in blue";
  EXPECT_EQ(pixels_of(final_screen, 0xFFFFFF, 620, 649), 980 * 30) << "on white";

  // The record is written as the last verdict tone ends.
  const auto all_tones = session.time.tones();
  const SimulatedTone& last = all_tones[all_tones.size() - 2];
  const std::string record =
      record_stamp(last.start_seconds + last.duration_ms / 1000.0) +
      utf8_to_cp1251("  200.0см  Is=   5  Nп=   6 Nв=   3 Nош=   2 Nно=   1 t_ср=    1.74с  Nотж=   5");
  ASSERT_EQ(record.size(), kTrainingRecordLength);
  EXPECT_EQ(session.dir.read("zorikan.rtr"), kHeader + "\r\n" + record + "\r\n");
}

// Answer windows are measured on the steady clock: the system's clock set an hour forward, back and
// forward again inside three answer windows changes no answer time and no window's length; only the
// record's stamp shows the clock as it was then set.
TEST(TrainingRun, AnswerWindowsIgnoreTheSystemClockBeingSet) {
  TrainingSessionRun session(SimulatedTime::epoch_of_local_time({2026, 3, 7, 9, 4, 0, 0}));
  TrainingRobot robot(session.time, {{Act::kSide, 1.0}, {Act::kNothing}, {Act::kSide, 2.0}});
  int opened = 0;
  std::vector<double> openings;
  session.time.on_tone([&](const SimulatedTone& tone) {
    if (tone.frequency_hz != 1000) return;
    openings.push_back(tone.start_seconds);
    const double step = opened++ % 2 == 0 ? 3600 : -3600;
    session.time.at(tone.start_seconds + 0.5, [&session, step] { session.time.step_wall_clock(step); });
  });
  start_run(session, 3);
  ASSERT_EQ(session.run(), 0);

  EXPECT_EQ(training_counts.correct_count, 2);
  EXPECT_EQ(training_counts.missed_count, 1);
  EXPECT_NEAR(training_counts.answer_time_sum, 3.0, 0.005);
  const auto tones = session.time.tones();
  EXPECT_EQ(frequencies(tones), (std::vector<int>{1000, 800, 1000, 400, 1000, 800}));
  ASSERT_EQ(openings.size(), 3u);
  EXPECT_NEAR(tones[3].start_seconds - openings[1], 5.0, 0.005) << "the unanswered window lasts 5 s";
  // The record is written as the last verdict ends.
  const SimulatedTone& last = *std::find_if(tones.rbegin(), tones.rend(), [](const SimulatedTone& tone) {
    return tone.frequency_hz == 800;
  });
  const std::string record = session.dir.read("zorikan.rtr").substr(kHeader.size() + 2);
  EXPECT_EQ(record.substr(0, record_stamp(0).size()),
            record_stamp(last.start_seconds + last.duration_ms / 1000.0 + 3600));
}

// Abandoning a run, and a click made while a picture is drawn: the tones of the run, whether a record
// was written, and whether the chart was called.
struct InterruptCase {
  const char* name;
  std::vector<Answer> script;
  std::vector<int> tones;
  bool record;
  bool chart;
  int final_button = Qt::LeftButton;
  friend void PrintTo(const InterruptCase& test, std::ostream* out) { *out << test.name; }
};

class Interrupted : public ::testing::TestWithParam<InterruptCase> {};

TEST_P(Interrupted, RunEndsAsItShould) {
  TrainingSessionRun session;
  const InterruptCase& test = GetParam();
  TrainingRobot robot(session.time, test.script, test.record ? 1.0 : -1.0);
  robot.final_button = test.final_button;
  start_run(session, 2);
  // The start screen is back within 4 s of the run's end or of the click on the result screen.
  std::atomic<int> sweep_size_after{-1};
  const auto look_at_start_screen = [&](double at) {
    session.time.at(at, [&] { sweep_size_after = shown_pattern_size(window_picture()); });
  };
  session.time.on_tone([&](const SimulatedTone& tone) {
    if (tone.frequency_hz == 1000 && robot.pictures.size() == 1 && !test.record) {
      look_at_start_screen(tone.start_seconds + 1.0 + 4.0);
    }
  });
  robot.on_final_prompt = [&] { look_at_start_screen(session.time.now() + 4.0); };
  ASSERT_EQ(session.run(), 0);

  EXPECT_EQ(frequencies(session.time.tones()), test.tones);
  EXPECT_EQ(std::filesystem::exists(session.dir.path() / "zorikan.rtr"), test.record);
  EXPECT_EQ(result_screen.count > 0, test.record) << "a result screen only for a completed run";
  const auto calls = ActivityLog::instance().calls();
  EXPECT_EQ(calls.size() == 1 && calls[0].routine == "chart", test.chart);
  EXPECT_EQ(sweep_size_after, 2) << "the start screen's sweep starts again";
  if (test.record) {
    EXPECT_EQ(training_counts.correct_count, 1);
    EXPECT_EQ(training_counts.missed_count, 1) << "neither a click while drawing nor a middle click answers";
  }
}

INSTANTIATE_TEST_SUITE_P(
    TrainingRun, Interrupted,
    ::testing::Values(
        InterruptCase{
            "BothButtonsWhileDrawing", {{Act::kSide, 1.0, Act::kBothButtons}, {}}, {1000, 800}, false, false},
        InterruptCase{"BothButtonsInTheAnswerWindow", {{Act::kBothButtons, 1.0}, {}}, {1000}, false, false},
        InterruptCase{"ChartMenuInTheAnswerWindow", {{Act::kChartMenu, 1.0}, {}}, {1000}, false, true},
        InterruptCase{"ClickWhileDrawingIsDiscarded",
                      {{Act::kSide, 1.0, Act::kClick}, {Act::kNothing}},
                      {1000, 800, 1000, 400},
                      true,
                      false},
        InterruptCase{"MiddleClickAnswersNothingButEndsTheResultScreen",
                      {{Act::kSide, 1.0}, {Act::kMiddle, 1.0}},
                      {1000, 800, 1000, 400},
                      true,
                      false,
                      Qt::MiddleButton}),
    [](const auto& info) { return std::string(info.param.name); });

// A glyph for a small window: an overlapping pair, and tiles cut by the status band, the bottom, and
// the left or right edge for the placement that takes them there.
void set_small_glyph(int size, int width, int height) {
  const int left = 20 / size * size;
  const int right = 450 / size * size;
  const std::vector<GlyphPoint> points = {{40, 60},           {40, 60 + size},
                                          {16, 100},          {height - 1 - size, 140},
                                          {50, -left - size}, {50, width - right - size}};
  const auto k = static_cast<size_t>(size - 1);
  glyph_count[k] = static_cast<int32_t>(points.size());
  for (size_t j = 0; j < points.size(); ++j) glyph_points[k][j] = points[j];
}

TEST(TrainingRun, DrawingPathDrawsTheSamePictureInAnyOtherWindowWithoutGreyOrPause) {
  TempWorkDir dir;
  SimulatedTime time;
  TimeSoundServiceGuard guard(time);
  constexpr int kWidth = 598;
  constexpr int kHeight = 340;  // the robot clicks at (490, 325)
  constexpr int kSize = 3;
  TrainingRobot robot(time, {{Act::kSide, 0.5}, {Act::kOtherSide, 0.5}, {Act::kSide, 0.5}});
  robot.leave_by_exit = false;
  const int code = run_display(
      [&] {
        set_exit_behaviour(2);
        open_graphics_window(1, kHeight, kWidth, cp1251<"Тренажер для глаз">().view());
        init_fonts();
        register_mouse_handler(1, 1 | 2 | 8 | 16, &mouse_handler);
        session_params.training_volume = 3;
        set_small_glyph(kSize, kWidth, kHeight);
        run_training(kSize, glyph_count, glyph_points, kWidth, kHeight);
        stop_program();
      },
      {});
  ASSERT_EQ(code, 0);
  ASSERT_EQ(robot.pictures.size(), 3u);
  QImage before(kWidth, kHeight - kPictureTop, QImage::Format_RGB32);
  before.fill(QColor(0x00, 0x77, 0x00));  // the set-up's dark green
  for (size_t i = 0; i < 3; ++i) {
    const QImage area = picture_area(robot.pictures[i]);
    const int offset = robot.left_sides[i] ? 18 : 450;
    EXPECT_EQ(differing_pixels(area, training_reference(before, kSize, offset, glyph_of_size(kSize))), 0)
        << "image " << i + 1;
    EXPECT_EQ(rgb_at(area, 0, 40), 0x007700u) << "column 0 belongs to no cell and keeps the set-up's green";
    before = area;
  }
  EXPECT_TRUE(time.pauses().empty()) << "no grey second on the drawing path";
  EXPECT_EQ(training_counts.correct_count, 2);
  EXPECT_EQ(training_counts.error_count, 1);
}

}  // namespace
}  // namespace zorikan::testing
