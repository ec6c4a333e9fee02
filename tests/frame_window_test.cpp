// The frame and its child windows on the real widgets: start-up, client area, configuration, menus,
// mouse key states, pause, stop from either thread and the exit behaviours.
#include <gtest/gtest.h>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "common/cp1251.h"
#include "common/file_units.h"
#include "display/display.h"
#include "display/frame_state.h"
#include "display/gui_thread.h"
#include "display/stop_point.h"
#include "display/user_windows.h"
#include "display/window_registry.h"
#include "tests/support/display_harness.h"
#include "tests/support/temp_work_dir.h"

namespace zorikan {
namespace {

using testing::run_display;

constexpr auto kExitText = cp1251<"Выход">();
constexpr auto kChartText = cp1251<"Итоги_тренировок">();
constexpr auto kHelpText = cp1251<"Инструкция">();

std::atomic<int> g_menu_calls{0};
void count_menu_call(int32_t&) {
  ++g_menu_calls;
}
void stop_from_menu(int32_t&) {
  stop_program();
}

void open_window_980x650() {
  // The device name is taken in any letter case.
  const IoResult opened = open_file(1, "user", FileStatus::kUnknown, ErrorExit::kReturn, FilePosition::kStart,
                                    cp1251<"Тренажер для глаз">().view());
  ASSERT_TRUE(opened.ok()) << opened.report;
  WindowConfig config;
  config.pixel_width = 980;
  config.pixel_height = 650;
  config.text_columns = config.text_rows = config.color_count = -1;
  // The record starts with font_size 0: the first call corrects it to -1 and applies nothing.
  ASSERT_EQ(set_window_config(config), 0);
  ASSERT_EQ(config.font_size, -1);
  ASSERT_EQ(config.pixel_width, 980);
  ASSERT_EQ(set_window_config(config), -1);
}

QMainWindow* frame() {
  return static_cast<QMainWindow*>(testing::frame_widget_for_test());
}

TEST(FrameWindow, StartsWithMenusClientAreaAndWindowThenStopsWithCodeZero) {
  testing::HarnessOptions options;
  options.startup_settings = [] {
    set_window_geometry(kFrameUnit, WindowGeometry{4, 50, 50, 400, 650});
    append_menu_item(1, 4, kExitText.view(), &count_menu_call);
    append_menu_item(2, 4, kChartText.view(), &count_menu_call);
    append_menu_item(3, 4, kHelpText.view(), &show_about_box);
    return true;
  };
  QSize client_area, surface;
  QStringList menu_texts;
  WindowConfig read_back;
  const int code = run_display(
      [&] {
        set_exit_behaviour(2);
        set_window_geometry(kFrameUnit, WindowGeometry{4, 0, 0, 768, 1024});
        open_window_980x650();
        ASSERT_EQ(get_window_config(read_back), 1);
        display::run_on_gui([&] {
          client_area = frame()->centralWidget()->size();
          for (QAction* action : frame()->menuBar()->actions()) menu_texts << action->text();
        });
        stop_program();
      },
      options);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(client_area, QSize(1024, 768));
  EXPECT_EQ(menu_texts, (QStringList{"&Выход", "&Итоги_тренировок", "&Инструкция"}));
  EXPECT_EQ(read_back.pixel_width, 980);
  EXPECT_EQ(read_back.pixel_height, 650);
  EXPECT_EQ(read_back.text_columns, 980 / 8);
  EXPECT_EQ(read_back.text_rows, 650 / 16);
  EXPECT_EQ(read_back.bits_per_pixel, 32);
  EXPECT_EQ(read_back.font_size, (8 << 16) | 16);
  EXPECT_EQ(read_back.mode, -1);
  EXPECT_EQ(std::string(read_back.title), std::string(cp1251<"Тренажер для глаз">().view()));
}

TEST(FrameWindow, SettingsRejectOutOfRangeValuesAndKeepThePreviousOnes) {
  const int code = run_display(
      [] {
        EXPECT_EQ(set_exit_behaviour(0), -1);
        EXPECT_EQ(set_exit_behaviour(4), -1);
        EXPECT_EQ(display::exit_behaviour(), 1);
        EXPECT_EQ(set_about_text(std::string(512, 'a')), 0);
        EXPECT_EQ(set_about_text(std::string(513, 'b')), -1);
        EXPECT_EQ(display::about_text(), std::string(512, 'a'));
        EXPECT_EQ(set_window_geometry(kFrameUnit, WindowGeometry{5, 0, 0, 10, 10}), -1);
        EXPECT_EQ(set_window_geometry(7, WindowGeometry{4, 0, 0, 10, 10}), -1);
        EXPECT_EQ(set_active_unit(7), 0);
        EXPECT_EQ(set_focus_unit(7), -1);
        WindowConfig config;
        EXPECT_EQ(get_window_config(config), 0) << "no active window yet";
        set_exit_behaviour(2);
        stop_program();
      },
      {});
  EXPECT_EQ(code, 0);
}

TEST(FrameWindow, MenuItemsKeepPositionsMnemonicsAndBecomeDropDowns) {
  testing::HarnessOptions options;
  options.startup_settings = [] {
    EXPECT_EQ(append_menu_item(1, 4, "File", &count_menu_call), 1);
    EXPECT_EQ(append_menu_item(2, 4, "E&dit", &count_menu_call), 1);
    EXPECT_EQ(append_menu_item(4, 4, "Beyond", &count_menu_call), 0) << "two entries: position 4 is beyond";
    EXPECT_EQ(append_menu_item(0, 4, "Zero", &count_menu_call), 0);
    EXPECT_EQ(append_menu_item(1, 4, "Open", &count_menu_call), 1) << "turns File into a drop-down";
    EXPECT_EQ(append_menu_item(3, 4, "Stop", &stop_from_menu), 1);
    return true;
  };
  QStringList bar, file_items;
  const int code = run_display(
      [&] {
        set_exit_behaviour(2);
        display::run_on_gui([&] {
          for (QAction* action : frame()->menuBar()->actions()) {
            bar << action->text();
            if (action->menu() != nullptr) {
              for (QAction* item : action->menu()->actions()) file_items << item->text();
            }
          }
        });
        EXPECT_EQ(invoke_menu_command(&count_menu_call), 0);
        while (g_menu_calls == 0) read_epoch_seconds();
        EXPECT_EQ(invoke_menu_command(&stop_from_menu), 0);
        // The menu routine stops the program from the GUI thread; this thread ends at a layer call.
        for (;;) read_epoch_seconds();
      },
      options);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(bar, (QStringList{"&File", "E&dit", "&Stop"}));
  EXPECT_EQ(file_items, QStringList{"&Open"});
  EXPECT_EQ(g_menu_calls, 1) << "only the first bound item ran";
}

struct MouseRecord {
  int32_t event;
  int32_t key_state;
  int32_t x;
  int32_t y;
};
std::mutex g_mouse_lock;
std::vector<MouseRecord> g_mouse_events;
void record_mouse(int32_t& unit, int32_t& event, int32_t& key_state, int32_t& x, int32_t& y) {
  EXPECT_EQ(unit, 1);
  std::lock_guard guard(g_mouse_lock);
  g_mouse_events.push_back({event, key_state, x, y});
}

TEST(FrameWindow, MouseRoutinesSeeKeyStatesAfterEachEventAndNothingWhilePaused) {
  const int code = run_display(
      [] {
        set_exit_behaviour(2);
        open_window_980x650();
        EXPECT_EQ(register_mouse_handler(1, 0, &record_mouse), -1);
        EXPECT_EQ(register_mouse_handler(9, 27, &record_mouse), -2);
        EXPECT_EQ(register_mouse_handler(1, 27, &record_mouse), 0);
        EXPECT_EQ(register_mouse_handler(1, 27, &record_mouse), 1);
        display::run_on_gui([] {
          testing::press_button(1, Qt::LeftButton, 100, 200);
          testing::press_button(1, Qt::RightButton, 101, 201);
          testing::release_button(1, Qt::LeftButton, 102, 202);
          testing::release_button(1, Qt::RightButton, 103, 203);
          testing::press_button(1, Qt::LeftButton, 5, 6, Qt::ShiftModifier);
          testing::release_button(1, Qt::LeftButton, 5, 6, Qt::ShiftModifier);
          // A double click: the second press, which Qt turns into a double click, counts as a press.
          QWidget* canvas = testing::canvas_of_unit(1);
          QTest::mouseDClick(canvas->window()->windowHandle(), Qt::RightButton, {},
                             canvas->mapTo(canvas->window(), QPoint(10, 10)));
        });
        display::set_run_state(display::RunState::kPaused);
        display::run_on_gui([] {
          testing::press_button(1, Qt::LeftButton, 1, 1);
          testing::release_button(1, Qt::LeftButton, 1, 1);
        });
        display::set_run_state(display::RunState::kRunning);
        stop_program();
      },
      {});
  EXPECT_EQ(code, 0);
  std::lock_guard guard(g_mouse_lock);
  ASSERT_EQ(g_mouse_events.size(), 10u);
  const std::vector<std::pair<int, int>> expected = {{1, 1}, {8, 3}, {2, 2},  {16, 0}, {1, 5},
                                                     {2, 4}, {8, 2}, {16, 0}, {8, 2},  {16, 0}};
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(g_mouse_events[i].event, expected[i].first) << "event " << i;
    EXPECT_EQ(g_mouse_events[i].key_state, expected[i].second) << "event " << i;
  }
  EXPECT_EQ(g_mouse_events[0].x, 100);
  EXPECT_EQ(g_mouse_events[0].y, 200);
  EXPECT_EQ(g_mouse_events[3].x, 103);
}

// The user has no way to close or minimise the program's window: no buttons for it, no system menu, and
// the close requests that remain (Ctrl+F4, the child area closing its windows) are refused.
TEST(FrameWindow, TheUserCannotCloseOrMinimiseAChildWindow) {
  Qt::WindowFlags flags;
  bool has_system_menu = true;
  std::vector<bool> shown_after;
  const int code = run_display(
      [&] {
        set_exit_behaviour(2);
        open_window_980x650();
        display::run_on_gui([&] {
          QMdiArea* area = frame()->findChild<QMdiArea*>();
          QMdiSubWindow* sub_window = area->subWindowList().at(0);
          flags = sub_window->windowFlags();
          has_system_menu = sub_window->systemMenu() != nullptr;
          QTest::keyClick(sub_window, Qt::Key_F4, Qt::ControlModifier);
          area->closeActiveSubWindow();
          area->closeAllSubWindows();
          shown_after = {!sub_window->close(), sub_window->isVisible(), !sub_window->isMinimized()};
        });
        EXPECT_EQ(set_pixel_rgb(1, 1, 0xFFFFFF), 0) << "the window still takes drawing";
        stop_program();
      },
      {});
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowSystemMenuHint));
  EXPECT_FALSE(has_system_menu);
  EXPECT_EQ(shown_after, (std::vector<bool>{true, true, true}));
}

TEST(FrameWindow, ExitBehaviourOneAsksWithTheExitCodeAndClosesOnYes) {
  testing::RecordedBoxes boxes;
  const int code = run_display([] { stop_program(); }, {}, &boxes);
  EXPECT_EQ(code, 0);
  const auto shown = boxes.snapshot();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Program Terminated with exit code 0\nExit Window?");
  EXPECT_EQ(shown[0].caption, "zorikan");
  EXPECT_EQ(shown[0].buttons, display::BoxButtons::kYesNo);
  EXPECT_EQ(shown[0].icon, display::BoxIcon::kWarning);
}

TEST(FrameWindow, ReturningFromTheProgramShowsFinishedAndKeepsTheFrameWithBehaviourThree) {
  QString state;
  const int code = run_display(
      [&] {
        set_exit_behaviour(3);
        display::post_to_gui([&] {
          // Runs after the program returned: the frame stays open, showing the state.
          QTimer::singleShot(50, [&] {
            state = frame()->statusBar()->findChild<QLabel*>()->text();
            frame()->close();
          });
        });
      },
      {});
  EXPECT_EQ(code, 0);
  EXPECT_EQ(state, "Finished");
}

TEST(FrameWindow, DrawingAfterTheWindowClosedFailsQuietly) {
  std::atomic<int32_t> color_result{0};
  const int code = run_display(
      [&] {
        set_exit_behaviour(2);
        open_window_980x650();
        display::run_on_gui([] { close_file(1); });
        color_result = set_draw_color_rgb(0x123456);
        EXPECT_EQ(draw_rectangle(3, 0, 0, 10, 10), 0);
        GraphicsPosition previous;
        move_to(1, 1, previous);
        EXPECT_EQ(line_to(5, 5), 0);
        stop_program();
      },
      {});
  EXPECT_EQ(code, 0);
  EXPECT_EQ(color_result, -1);
}

// "Выход" closes every unit while the program thread may be in the middle of a file: its next transfer
// fails, and that failure belongs to the stop, not to the file. The thread ends without a report and the
// exit code stays 0.
TEST(FrameWindow, FileFailuresCausedByAStopFromTheMenuEndTheProgramWithoutAReport) {
  testing::TempWorkDir dir;
  dir.write("numbers.txt", "1\r\n2\r\n");
  testing::HarnessOptions options;
  options.startup_settings = [] { return append_menu_item(1, 4, kExitText.view(), &stop_from_menu) == 1; };
  testing::RecordedBoxes boxes;
  std::atomic<int32_t> first{0};
  std::atomic<bool> returned_after_stop{false};
  const int code = run_display(
      [&] {
        set_exit_behaviour(2);
        static constexpr Format kNumber = parse_format("(I4)");
        ASSERT_TRUE(open_file(14, "numbers.txt", FileStatus::kOld, ErrorExit::kReturn).ok());
        int32_t value = 0;
        read_formatted(14, kNumber, {&value});
        first = value;
        ASSERT_EQ(invoke_menu_command(&stop_from_menu), 0);
        display::run_on_gui([] {});             // queued after the menu's routine: the stop is done
        read_formatted(14, kNumber, {&value});  // the stop closed unit 14
        returned_after_stop = true;
      },
      options, &boxes);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(first, 1);
  EXPECT_FALSE(returned_after_stop);
  for (const auto& box : boxes.snapshot()) ADD_FAILURE() << "box: " << box.text;
}

// A stop that comes while the program thread opens a window (after the window's record exists, before
// its widgets do) closes it with the others: the open is refused and nothing of it stays in the frame.
TEST(FrameWindow, StopWhileAWindowOpensLeavesNoChildWindowInTheFrame) {
  std::atomic<bool> opened{true};
  std::atomic<int> child_windows{-1};
  const int code = run_display(
      [&] {
        set_exit_behaviour(2);
        display::post_to_gui([] {
          const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
          while (!display::window_of_unit(2) && std::chrono::steady_clock::now() < limit) {
            std::this_thread::yield();
          }
          display::run_program_routine([] { stop_program(); });
        });
        opened = open_file(2, "USER", FileStatus::kUnknown, ErrorExit::kReturn).ok();
        display::run_on_gui([&] { child_windows = frame()->findChildren<QMdiSubWindow*>().size(); });
      },
      {});
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(opened);
  EXPECT_EQ(child_windows, 0);
}

// The frame may close before the program thread's next call into the layer; a window it opens then has
// no widgets to show it, and the thread ends at its next call. (The frame pointer belongs to the GUI
// thread alone: run with ThreadSanitizer.)
TEST(FrameWindow, WindowOpenedAfterTheFrameClosedHasNoWidgetsAndTheProgramEnds) {
  std::atomic<bool> opened{false};
  std::atomic<bool> returned_after_stop{false};
  const int code = run_display(
      [&] {
        display::post_to_gui([] { frame()->close(); });
        while (display::run_on_gui([] {})) {
        }
        opened = open_file(2, "USER", FileStatus::kUnknown, ErrorExit::kReturn).ok();
        read_epoch_seconds();
        returned_after_stop = true;
      },
      {});
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(opened);
  EXPECT_FALSE(returned_after_stop);
}

}  // namespace
}  // namespace zorikan
