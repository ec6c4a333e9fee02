// The whole program's start-up, start screen, mouse and menus, driven by the robot user on the real
// window with simulated time: the sweep of sizes and its timing, the pictures, clicks on release,
// both buttons, "Выход", clicks with shift or control, and the chart request with the sweep's restart.
//
// Timeline: nothing reads the clock before the sweep, so step n (0, 1, ...) of an undisturbed sweep
// starts its 1 s of grey at start + 6n and shows its picture from start + 6n + 1 for 5 s (the polls
// add a few hundred microseconds per step). The robot acts at moments in the middle of these phases.
#include <gtest/gtest.h>
#include <QMainWindow>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "display/frame_state.h"
#include "display/frame_window.h"
#include "display/gui_thread.h"
#include "display/stop_point.h"
#include "services/color_table.h"
#include "services/session_params.h"
#include "services/shared_words.h"
#include "services/window_registration.h"
#include "session/about_text.h"
#include "session/grey_pause.h"
#include "tests/e2e/session_robot.h"

namespace zorikan::testing {
namespace {

constexpr double kStepSeconds = 6.0;
const QString kExitMenu = "Выход";
const QString kChartMenu = "Итоги_тренировок";
const QString kHelpMenu = "Инструкция";

// Moment `offset` seconds into undisturbed step n of a sweep that starts at `start`.
double in_step(double start, int n, double offset) {
  return start + kStepSeconds * n + offset;
}

// Records, at moments the test chooses, the pattern size on screen (0 for none).
class SizeWatch {
 public:
  void watch(SimulatedTime& time, double moment) {
    time.at(moment, [this] {
      std::lock_guard guard(lock_);
      sizes_.push_back(shown_pattern_size(window_picture()));
    });
  }
  std::vector<int> sizes() {
    std::lock_guard guard(lock_);
    return sizes_;
  }

 private:
  std::mutex lock_;
  std::vector<int> sizes_;
};

TEST(StartScreen, StartsWithItsFrameMenusWindowAndAboutTextAndExitEndsAtOnceWithASilentTone) {
  SessionRun session;
  const double start = session.time.now();
  QSize client_area;
  QStringList menus;
  std::string window_title;
  QSize surface;
  int32_t color_index = -1;
  std::string about_bytes;
  std::atomic<int> window_open_at_tone{-1};
  session.time.at(in_step(start, 0, 3.5), [&] {
    display::run_on_gui([&] {
      auto* frame = static_cast<QMainWindow*>(frame_widget_for_test());
      client_area = frame->centralWidget()->size();
      for (QAction* action : frame->menuBar()->actions()) menus << action->text();
    });
    auto window = display::window_of_unit(1);
    ASSERT_TRUE(window);
    window_title = window->title;
    surface = window_picture().size();
    color_index = color_table.current_index;
    about_bytes = display::about_text();
    choose_menu(kHelpMenu);
  });
  session.time.on_tone(
      [&](const SimulatedTone&) { window_open_at_tone = display::window_of_unit(1) != nullptr; });
  session.time.at(in_step(start, 0, 4.0), [] { choose_menu(kExitMenu); });
  ASSERT_EQ(session.run(), 0);

  EXPECT_EQ(client_area, QSize(1024, 768));
  EXPECT_EQ(menus, (QStringList{"&Выход", "&Итоги_тренировок", "&Инструкция"}));
  EXPECT_EQ(window_title, std::string(cp1251<"Тренажер для глаз">().view()));
  EXPECT_EQ(surface, QSize(980, 650));
  EXPECT_EQ(color_index, 7);
  EXPECT_EQ(display::exit_behaviour(), 2);
  EXPECT_EQ(session_params.distance_cm, 200.0f);
  EXPECT_EQ(session_params.diagonal_inch, 17.7f);
  EXPECT_EQ(session_params.screen_nx, 1024);
  EXPECT_EQ(session_params.screen_ny, 768);
  EXPECT_EQ(session_params.training_volume, 100);
  EXPECT_EQ(window_registration[1].text_width, 240.0f);
  EXPECT_EQ(window_registration[1].text_height, 180.0f);
  EXPECT_EQ(window_registration[1].pixel_width, 980.0f);
  EXPECT_EQ(window_registration[1].pixel_height, 650.0f);

  // The about text: its pieces, two carriage returns between paragraphs, one before the last sentence.
  const std::string expected_about =
      "Программа - тренажер для глаз ZORIKAN " ZORIKAN_VERSION ". \r\r"
      "НАЧАЛО: левая кнопка мыши - ТРЕНИРОВКА с текущим размером, правая - ПРОВЕРКА ЗРЕНИЯ, обе кнопки -  "
      "выход из программы\r\r"
      "ТРЕНИРОВКА: Цифра слева - жмите левую кнопку мыши, справа - правую, обе кнопки - переход в НАЧАЛО\r\r"
      "ПРОВЕРКА ЗРЕНИЯ: Зазор слева - жмите левую кнопку мыши, справа - правую, обе кнопки - переход в "
      "НАЧАЛО\r\r"
      "Подробная инструкция на страничке " ZORIKAN_GUIDE_PLACE " ,там же гостевая книга.\r"
      "Пожалуйста, напишите о своем опыте работы с программой";
  EXPECT_EQ(about_bytes, utf8_to_cp1251(expected_about));
  const auto boxes = session.boxes.snapshot();
  ASSERT_EQ(boxes.size(), 1u) << "the about box, and no report";
  EXPECT_EQ(QString::fromStdString(boxes[0].text).replace('\n', '\r').toStdString(), expected_about);

  // "Выход": the window closes first, then the 0 Hz tone of 350 ms, and the program ends there.
  const auto tones = session.time.tones();
  ASSERT_EQ(tones.size(), 1u);
  EXPECT_EQ(tones[0].frequency_hz, 0);
  EXPECT_EQ(tones[0].duration_ms, 350);
  EXPECT_EQ(window_open_at_tone, 0);
  EXPECT_EQ(grey_phases(session.time.pauses()).size(), 1u) << "no further step began";
  EXPECT_TRUE(ActivityLog::instance().calls().empty());
}

TEST(StartScreen, SweepsTwoToNineAndBackWithOneSecondOfGreyAndFiveSecondsOfEachExactPicture) {
  SessionRun session;
  const double start = session.time.now();
  const std::vector<int> expected = {2, 3, 4, 5, 6, 7, 8, 9, 8, 7, 6, 5, 4, 3, 2, 3, 4, 5, 6, 7, 8, 9, 8};
  const int steps = static_cast<int>(expected.size());
  std::vector<int> grey(steps, -1), first_size(steps, -1), last_size(steps, -1), offset(steps, -2);
  for (int n = 0; n < steps; ++n) {
    session.time.at(in_step(start, n, 0.5), [&, n] { grey[n] = is_all(window_picture(), kGreyPixel); });
    session.time.at(in_step(start, n, 1.1), [&, n] {
      const QImage picture = window_picture();
      first_size[n] = shown_pattern_size(picture);
      // The first turn shows every size once: compare each picture pixel for pixel.
      if (n < 8 && first_size[n] > 0) {
        offset[n] = matching_glyph_offset(picture, first_size[n], glyph_of_size(first_size[n]), kBlackPixel);
      }
    });
    session.time.at(in_step(start, n, 5.95), [&, n] { last_size[n] = shown_pattern_size(window_picture()); });
  }
  session.time.at(in_step(start, steps, 0.5), [] { choose_menu(kExitMenu); });
  ASSERT_EQ(session.run(), 0);

  EXPECT_EQ(first_size, expected);
  EXPECT_EQ(last_size, expected);
  EXPECT_EQ(grey, std::vector<int>(steps, 1));
  for (int n = 0; n < 8; ++n) {
    const int size = expected[n];
    EXPECT_TRUE(offset[n] == 20 / size * size || offset[n] == 450 / size * size)
        << "size " << size << ": the window differs from the definition's picture for either placement";
  }
  // Each step: a pause of 1000 ms, then 5 s of picture until the next step's pause.
  const auto pauses = grey_phases(session.time.pauses());
  ASSERT_EQ(pauses.size(), static_cast<size_t>(steps + 1));
  for (int n = 0; n < steps; ++n) {
    EXPECT_EQ(pauses[n].duration_ms, 1000);
    EXPECT_NEAR(pauses[n + 1].start_seconds - pauses[n].start_seconds, kStepSeconds, 0.001) << "step " << n;
  }
  EXPECT_TRUE(ActivityLog::instance().calls().empty());
}

TEST(StartScreen, LeftButtonStartsTrainingOnReleaseAtTheSizeWhoseGlyphWasLastShown) {
  SessionRun session;
  const double start = session.time.now();
  SizeWatch watch;
  std::atomic<double> released_at{0};
  std::atomic<size_t> calls_while_held{99};
  // Held from the middle of size 4 into size 5: nothing happens while held.
  session.time.at(in_step(start, 2, 3.0), [] { press(Qt::LeftButton); });
  session.time.at(in_step(start, 3, 3.0), [&] {
    calls_while_held = ActivityLog::instance().calls().size();
    release(Qt::LeftButton);
    released_at = session.time.now();
    // The training run returned at once: the sweep restarts at 2, whose next size is 3. A click
    // during the grey of size 3 is taken after that grey, before size 3 becomes current: training
    // at 2 once more, and the sweep restarts at 2 again.
    const double restart = session.time.now();
    watch.watch(session.time, restart + 0.5);
    watch.watch(session.time, restart + 3.5);
    session.time.at(restart + kStepSeconds + 0.5, [] { click_button(Qt::LeftButton); });
    const double second_restart = restart + kStepSeconds + 1.0;
    watch.watch(session.time, second_restart + 3.5);
    session.time.at(second_restart + 4.0, [] { choose_menu(kExitMenu); });
  });
  ASSERT_EQ(session.run(), 0);

  EXPECT_EQ(calls_while_held, 0u);
  const auto calls = ActivityLog::instance().calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].routine, "training");
  EXPECT_EQ(calls[0].size, 5);
  EXPECT_NEAR(calls[0].at, released_at, 0.001) << "taken at the first checkpoint after the release";
  EXPECT_EQ(calls[0].window_nx, 980);
  EXPECT_EQ(calls[0].window_ny, 650);
  EXPECT_TRUE(calls[0].global_glyph_set);
  EXPECT_EQ(calls[1].routine, "training");
  EXPECT_EQ(calls[1].size, 2) << "a click while the next size's grating is built keeps the previous size";
  EXPECT_EQ(watch.sizes(), (std::vector<int>{0, 2, 2})) << "grey, then size 2 after each training run";
}

TEST(StartScreen, RightClickStartsTheVisionCheckWithTheWindowSizeAndTheSweepRestarts) {
  SessionRun session;
  const double start = session.time.now();
  SizeWatch watch;
  session.time.at(in_step(start, 1, 2.0), [&] {
    click_button(Qt::RightButton);
    const double restart = session.time.now();
    watch.watch(session.time, restart + 0.5);
    watch.watch(session.time, restart + 3.5);
    watch.watch(session.time, restart + kStepSeconds + 3.5);
    session.time.at(restart + kStepSeconds + 4.0, [] { choose_menu(kExitMenu); });
  });
  ASSERT_EQ(session.run(), 0);

  const auto calls = ActivityLog::instance().calls();
  ASSERT_EQ(calls.size(), 1u) << "the completed click is consumed once";
  EXPECT_EQ(calls[0].routine, "vision check");
  EXPECT_EQ(calls[0].window_nx, 980);
  EXPECT_EQ(calls[0].window_ny, 650);
  EXPECT_EQ(watch.sizes(), (std::vector<int>{0, 2, 3}));
}

// Both buttons, pressed while a picture is shown or while the grey of a step lasts: the program waits
// until both are released, then closes the window and stops (no tone, exit code 0).
class BothButtons : public ::testing::TestWithParam<double> {};

TEST_P(BothButtons, EndTheProgramOnceBothAreReleased) {
  SessionRun session;
  const double start = session.time.now();
  std::atomic<bool> running_after_first_release{false};
  std::atomic<bool> running_before_releases{false};
  session.time.at(in_step(start, 1, GetParam()), [&] {
    press(Qt::LeftButton);
    press(Qt::RightButton);
    // The program thread now waits for the release without reading the clock: release from the
    // GUI thread, in real time.
    display::post_to_gui([&] {
      QTimer::singleShot(100, [&] {
        running_before_releases = !display::stop_requested() && canvas_of_unit(1) != nullptr;
        release_button(1, Qt::LeftButton, kCanvasX, kCanvasY);
        QTimer::singleShot(100, [&] {
          running_after_first_release = !display::stop_requested() && canvas_of_unit(1) != nullptr;
          release_button(1, Qt::RightButton, kCanvasX, kCanvasY);
        });
      });
    });
  });
  ASSERT_EQ(session.run(), 0);

  EXPECT_TRUE(running_before_releases);
  EXPECT_TRUE(running_after_first_release) << "one button still held";
  EXPECT_TRUE(session.time.tones().empty());
  const auto greys = grey_phases(session.time.pauses());
  ASSERT_EQ(greys.size(), 2u);
  // While grey, the program looks at the buttons between slices of its pause: it does not sit out the
  // rest of the grey second.
  if (GetParam() < 1) {
    EXPECT_LE(greys[1].duration_ms, 500 + kGreySliceMs);
  }
  EXPECT_TRUE(ActivityLog::instance().calls().empty());
}

// Both buttons went down, but their release never reached the program (the run was paused meanwhile),
// so its thread waits for a release that will not come and makes no call into the layer. "Выход" must
// still end the program at once: the frame closes after a short grace, without that thread.
TEST(StartScreen, ExitFromTheMenuClosesTheFrameWhileTheProgramWaitsForAReleaseThatNeverCame) {
  SessionRun session;
  const double start = session.time.now();
  std::atomic<int32_t> held_when_frame_closed{-1};
  std::chrono::steady_clock::time_point chosen_at, closed_at;
  session.time.at(in_step(start, 1, 3.5), [&] {
    press(Qt::LeftButton);
    press(Qt::RightButton);
    display::post_to_gui([&] {
      // Once the frame closes, let the waiting thread go, so that the process can join it.
      QObject::connect(static_cast<display::FrameWindow*>(frame_widget_for_test()),
                       &display::FrameWindow::closing, [&] {
                         closed_at = std::chrono::steady_clock::now();
                         held_when_frame_closed = buttons_held.load();
                         buttons_held = 0;
                       });
      QTimer::singleShot(100, [&] {
        QTest::keyClick(frame_widget_for_test(), Qt::Key_Pause);
        release_button(1, Qt::LeftButton, kCanvasX, kCanvasY);
        release_button(1, Qt::RightButton, kCanvasX, kCanvasY);
        QTest::keyClick(frame_widget_for_test(), Qt::Key_Pause);
        chosen_at = std::chrono::steady_clock::now();
        click_menu_on_gui(kExitMenu);
      });
    });
  });
  ASSERT_EQ(session.run(20), 0);

  EXPECT_EQ(held_when_frame_closed, kBothButtons) << "the frame closed while the program thread still waited";
  EXPECT_LT(closed_at - chosen_at, std::chrono::seconds(1))
      << "the frame waited seconds for the program thread";
  ASSERT_EQ(session.time.tones().size(), 1u);
  EXPECT_EQ(session.time.tones()[0].frequency_hz, 0);
  EXPECT_TRUE(ActivityLog::instance().calls().empty());
}

INSTANTIATE_TEST_SUITE_P(StartScreen, BothButtons, ::testing::Values(0.5, 3.5), [](const auto& info) {
  return info.param < 1 ? "DuringTheGrey" : "DuringThePicture";
});

// Shift and control held with a click change nothing: a shift-click trains, a control-right-click starts
// the vision check, and both buttons with shift and control held end the program.
// A middle click comes after the right click, so button_code still holds the right button: it must not
// complete a click of its own.
TEST(StartScreen, ShiftOrControlHeldWithAClickChangesNothingAndAMiddleClickStartsNothing) {
  SessionRun session;
  const double start = session.time.now();
  const int both_keys = Qt::ShiftModifier | Qt::ControlModifier;
  session.time.at(in_step(start, 0, 2.0), [&] {
    click_button(Qt::LeftButton, Qt::ShiftModifier);
    const double restart = session.time.now();
    session.time.at(restart + 3.5, [&] {
      click_button(Qt::RightButton, Qt::ControlModifier);
      session.time.at(session.time.now() + 1.5, [] { click_button(Qt::MiddleButton); });
      session.time.at(session.time.now() + 3.5, [&] {
        press(Qt::LeftButton, both_keys);
        press(Qt::RightButton, both_keys);
        display::post_to_gui([&] {
          QTimer::singleShot(50, [&] {
            release_button(1, Qt::LeftButton, kCanvasX, kCanvasY, both_keys);
            release_button(1, Qt::RightButton, kCanvasX, kCanvasY, both_keys);
          });
        });
      });
    });
  });
  ASSERT_EQ(session.run(), 0);

  const auto calls = ActivityLog::instance().calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].routine, "training");
  EXPECT_EQ(calls[0].size, 2);
  EXPECT_EQ(calls[1].routine, "vision check");
  EXPECT_TRUE(session.time.tones().empty()) << "ended by both buttons, not by \"Выход\"";
}

TEST(StartScreen, ChartRequestWhileASizeIsShownRunsTheChartAndResumesAtTheFirstSizeOfTheDirection) {
  SessionRun session;
  const double start = session.time.now();
  SizeWatch watch;
  // Upward: requested while 5 is shown, the sweep resumes at 2.
  session.time.at(in_step(start, 3, 2.0), [&] {
    choose_menu(kChartMenu);
    const double first = session.time.now();
    for (int n = 0; n < 9; ++n) watch.watch(session.time, first + kStepSeconds * n + 3.5);
    watch.watch(session.time, first + kStepSeconds * 9 + 1.5);
    // Downward: 2 ... 9 take 8 steps, then 8 and 7; requested while 7 is shown, it resumes at 8.
    session.time.at(first + kStepSeconds * 9 + 2.0, [&] {
      choose_menu(kChartMenu);
      const double second = session.time.now();
      for (int n = 0; n < 3; ++n) watch.watch(session.time, second + kStepSeconds * n + 3.5);
      session.time.at(second + kStepSeconds * 2 + 4.0, [] { choose_menu(kExitMenu); });
    });
  });
  ASSERT_EQ(session.run(), 0);

  const auto calls = ActivityLog::instance().calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].routine, "chart");
  EXPECT_EQ(calls[1].routine, "chart");
  EXPECT_EQ(watch.sizes(), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 8, 7, 8, 7, 6}));
}

TEST(StartScreen, MissingGlyphFileEndsTheProgramWithAReportOfWhereItWasExpectedAndIsNotCreated) {
  SessionRun session(SimulatedTime::kDefaultStart, /*with_glyph_file=*/false);
  EXPECT_EQ(session.run(), 1);
  const auto boxes = session.boxes.snapshot();
  ASSERT_EQ(boxes.size(), 1u);
  const std::filesystem::path expected = std::filesystem::current_path() / "zorikan.sym";
  EXPECT_EQ(boxes[0].text, "zorikan.sym: file not found; the glyph file is expected at " + expected.string());
  EXPECT_FALSE(std::filesystem::exists(session.dir.path() / "zorikan.sym"));
  EXPECT_TRUE(session.time.pauses().empty()) << "no start screen";
}

}  // namespace
}  // namespace zorikan::testing
