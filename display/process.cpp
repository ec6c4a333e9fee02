// The process: frame window, start-up hook, program thread, message loop, exit.
#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <optional>
#include <thread>

#include "common/file_units.h"
#include "display/display.h"
#include "display/frame_state.h"
#include "display/frame_window.h"
#include "display/gui_thread.h"
#include "display/message_boxes.h"
#include "display/stop_point.h"
#include "display/time_sound_service.h"
#include "display/user_windows.h"

namespace zorikan::display {
namespace {

using Clock = std::chrono::steady_clock;

// A stopped program thread ends at its next call into the layer, within milliseconds; one in a busy
// loop on its own words (waiting for a button release the closed window will never deliver) makes no
// call. The frame gives it this long from the stop, then follows the exit behaviour without it.
constexpr auto kProgramThreadGrace = std::chrono::milliseconds(200);
// When the message loop has ended, the least time the process still waits for the program thread
// before it ends without it.
constexpr auto kLastWaitForProgramThread = std::chrono::milliseconds(100);

std::string program_name(int argc, char** argv) {
  if (argc < 1 || argv == nullptr || argv[0] == nullptr) return "zorikan";
  return QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName().toStdString();
}

// On the GUI thread, once main_program has returned or stopped (or a stopped program thread outlasted
// its grace): show "Finished", then follow the exit behaviour. Once only.
void program_finished(FrameWindow& frame) {
  if (run_state() == RunState::kFinished) return;
  set_run_state(RunState::kFinished);
  switch (exit_behaviour()) {
    case 1: {
      const std::string text =
          "Program Terminated with exit code " + std::to_string(exit_code()) + "\nExit Window?";
      if (show_message_box({BoxIcon::kWarning, BoxButtons::kYesNo, frame_title(), text}) == BoxAnswer::kYes) {
        frame.close();
      }
      break;
    }
    case 2:
      frame.close();
      break;
    default:
      break;
  }
}

// Armed at the first stop: gives the program thread its grace, then follows the exit behaviour
// without it. Only a pending stop runs its timer. GUI thread only.
class StopWatch {
 public:
  explicit StopWatch(FrameWindow& frame) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [&frame] { program_finished(frame); });
  }

  void arm() {
    if (stopped_at_) return;
    stopped_at_ = Clock::now();
    timer_.start(kProgramThreadGrace);
  }

  // When the process stops waiting for the program thread: at the end of its grace, which starts now
  // if no stop came before, and not before the last wait.
  Clock::time_point last_moment() const {
    const Clock::time_point now = Clock::now();
    return std::max(stopped_at_.value_or(now) + kProgramThreadGrace, now + kLastWaitForProgramThread);
  }

 private:
  QTimer timer_;
  std::optional<Clock::time_point> stopped_at_;
};

StopWatch* g_stop_watch = nullptr;

// At every stop, on whichever thread stops.
void arm_stop_watch() {
  post_to_gui([] {
    if (g_stop_watch != nullptr) g_stop_watch->arm();
  });
}

// The device "USER": opening a unit on it creates a child window, closing the unit closes the window.
void register_user_device() {
  register_device(kUserDeviceName, DeviceHandler{
                                       [](int32_t unit, std::string_view title) -> std::string {
                                         if (open_user_window(unit, title)) return {};
                                         return "USER: no window can be opened for unit " +
                                                std::to_string(unit);
                                       },
                                       [](int32_t unit) { close_user_window(unit); },
                                   });
}

void run_program_thread(void (*main_program)(), FrameWindow* frame, std::promise<void> ended) {
  mark_program_thread();
  try {
    if (main_program != nullptr) main_program();
  } catch (const ProgramThreadExit&) {
  }
  post_to_gui([frame] { program_finished(*frame); });
  ended.set_value();
}

}  // namespace
}  // namespace zorikan::display

namespace zorikan {

// Whole-number scale factors only: with a desktop scale of 1.25 or 1.5 a surface pixel would otherwise
// be resampled across device pixels, which destroys a 1-pixel grating. 1.25 is shown at 1, 1.5 at 2.
void prepare_application() {
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
}

int run_display_process(int argc, char** argv, const ProgramHooks& hooks) {
  using namespace display;
  std::unique_ptr<QApplication> owned_application;
  if (QCoreApplication::instance() == nullptr) {
    prepare_application();
    owned_application = std::make_unique<QApplication>(argc, argv);
  }
  QApplication::setQuitOnLastWindowClosed(false);
  set_frame_title(program_name(argc, argv));
  set_gui_thread_running(true);
  install_stop_handlers();
  register_user_device();

  FrameWindow frame;
  frame.setWindowTitle(QString::fromStdString(frame_title()));
  set_frame_window(&frame);
  QObject::connect(&frame, &FrameWindow::closing, [] { QCoreApplication::exit(exit_code()); });

  bool started = true;
  if (hooks.startup_settings != nullptr) run_program_routine([&] { started = hooks.startup_settings(); });
  if (!started) report_layer_error("Start-up error: the program's start-up settings failed");
  if (frame.menu_entries().empty()) frame.menuBar()->hide();
  apply_stored_frame_geometry();
  mark_frame_created();
  frame.show();

  connect_sound();
  reset_exit_behaviour();
  set_run_state(RunState::kRunning);
  StopWatch stop_watch(frame);
  g_stop_watch = &stop_watch;
  set_stop_listener(&arm_stop_watch);
  std::promise<void> program_ended;
  const std::future<void> ended = program_ended.get_future();
  std::thread program(run_program_thread, hooks.main_program, &frame, std::move(program_ended));
  const int code = QApplication::exec();

  // The frame is gone: the program thread ends at its next call into the layer.
  request_stop();
  set_stop_listener(nullptr);
  g_stop_watch = nullptr;
  set_gui_thread_running(false);
  set_frame_window(nullptr);
  if (ended.wait_until(stop_watch.last_moment()) != std::future_status::ready) {
    std::fflush(nullptr);
    std::_Exit(code);
  }
  program.join();
  return code;
}

}  // namespace zorikan
