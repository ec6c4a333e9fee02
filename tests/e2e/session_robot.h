// The robot user of the session's whole-program tests: runs the real program (start-up hook and
// main routine) on the real window with simulated time, watches the graphics window's pixels,
// presses mouse buttons and chooses menu items through the window's event path, and records which
// activity the main loop dispatched to. Also the picture of a sweep step as its definition gives it,
// pixel by pixel, to compare the window with.
//
// Header-only: each whole-program test is a process of its own, as the program's state is static.
#pragma once

#include <gtest/gtest.h>
#include <QAction>
#include <QDialog>
#include <QImage>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <filesystem>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "display/child_window.h"
#include "display/gui_thread.h"
#include "display/window_registry.h"
#include "services/glyph_set.h"
#include "session/activity_routines.h"
#include "session/main_program.h"
#include "session/startup_settings.h"
#include "tests/support/dialog_robot.h"
#include "tests/support/display_harness.h"
#include "tests/support/simulated_time.h"
#include "tests/support/temp_work_dir.h"

namespace zorikan::testing {

inline constexpr uint32_t kWhitePixel = 0xFFFFFF;
inline constexpr uint32_t kBlackPixel = 0x000000;
inline constexpr uint32_t kGreyPixel = 0x808080;

// ---- The window's pixels ---------------------------------------------------------------------------

// A copy of the surface of `unit`'s window, as it is now; null when the unit has no window.
inline QImage window_picture(int unit = 1) {
  auto window = display::window_of_unit(unit);
  if (!window) return {};
  std::lock_guard guard(window->lock);
  return window->surface.copy();
}

inline uint32_t rgb_at(const QImage& picture, int x, int y) {
  return picture.pixel(x, y) & 0xFFFFFF;
}

// The pattern size of the grating in the picture, read from row 0, which no glyph tile reaches:
// column 0 black, then white for L pixels, then black for L. 0 when row 0 is no grating.
inline int shown_pattern_size(const QImage& picture) {
  if (picture.isNull() || rgb_at(picture, 0, 0) != kBlackPixel) return 0;
  int size = 0;
  while (1 + size < picture.width() && rgb_at(picture, 1 + size, 0) == kWhitePixel) ++size;
  if (size == 0 || 1 + 2 * size > picture.width()) return 0;
  for (int x = 1 + size; x < 1 + 2 * size; ++x) {
    if (rgb_at(picture, x, 0) != kBlackPixel) return 0;
  }
  return size;
}

inline bool is_all(const QImage& picture, uint32_t rgb) {
  if (picture.isNull()) return false;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (rgb_at(picture, x, y) != rgb) return false;
    }
  }
  return true;
}

// ---- The picture of a sweep step, from its definition -------------------------------------------

// Pixels as 0xRRGGBB, row by row from the top; `background` where neither stripe nor tile lies.
struct ReferencePicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Draws the grating of pattern size `size` and the tiles of `points` at horizontal offset `offset`
// over `picture`, pixel by pixel as the definition says.
inline void draw_reference(ReferencePicture& picture, int size, int offset,
                           std::span<const GlyphPoint> points) {
  auto put = [&](long x, long y, uint32_t rgb) {
    if (x >= 0 && x < picture.width && y >= 0 && y < picture.height) {
      picture.pixels[static_cast<size_t>(y) * picture.width + x] = rgb;
    }
  };
  for (int y = 0; y < picture.height; ++y) {
    for (int i = 1; i <= picture.width / size; ++i) {
      for (int x = (i - 1) * size + 1; x <= i * size; ++x)
        put(x, y, (i + y) % 2 == 1 ? kWhitePixel : kBlackPixel);
    }
  }
  for (const GlyphPoint& point : points) {
    for (int a = 1; a <= 2 * size; ++a) {
      for (int b = 1; b <= 2 * size; ++b) {
        const bool white = (a <= size && b <= size) || (a > size && b > size);
        put(static_cast<long>(point.column) + offset + b, static_cast<long>(point.row) + a,
            white ? kWhitePixel : kBlackPixel);
      }
    }
  }
}

inline ReferencePicture picture_of(const QImage& window) {
  ReferencePicture picture{window.width(), window.height(), {}};
  for (int y = 0; y < window.height(); ++y) {
    for (int x = 0; x < window.width(); ++x) picture.pixels.push_back(rgb_at(window, x, y));
  }
  return picture;
}

// The picture of a sweep step over `base`: the window's content before the step (the drawing path
// leaves what lies outside the stripes) or a uniform background (the image path's black).
inline ReferencePicture reference_picture(ReferencePicture base, int size, int offset,
                                          std::span<const GlyphPoint> points) {
  draw_reference(base, size, offset, points);
  return base;
}
inline ReferencePicture reference_picture(int width, int height, int size, int offset,
                                          std::span<const GlyphPoint> points, uint32_t background) {
  return reference_picture(
      ReferencePicture{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, background)},
      size, offset, points);
}

// The number of pixels where the window differs from the reference (all of them when sizes differ).
inline long differing_pixels(const QImage& window, const ReferencePicture& reference) {
  if (window.width() != reference.width || window.height() != reference.height) {
    return static_cast<long>(reference.width) * reference.height;
  }
  long count = 0;
  for (int y = 0; y < reference.height; ++y) {
    for (int x = 0; x < reference.width; ++x) count += rgb_at(window, x, y) != reference.at(x, y);
  }
  return count;
}

// Which placement of glyph `size` the window shows over `base`: the offset (20 or 450 rounded down
// to a multiple of the size) whose reference matches pixel for pixel, or -1 when neither does.
inline int matching_glyph_offset(const QImage& window, int size, std::span<const GlyphPoint> points,
                                 const ReferencePicture& base) {
  for (int x0 : {20, 450}) {
    const int offset = x0 / size * size;
    if (differing_pixels(window, reference_picture(base, size, offset, points)) == 0) return offset;
  }
  return -1;
}
inline int matching_glyph_offset(const QImage& window, int size, std::span<const GlyphPoint> points,
                                 uint32_t background) {
  return matching_glyph_offset(
      window, size, points,
      ReferencePicture{
          window.width(), window.height(),
          std::vector<uint32_t>(static_cast<size_t>(window.width()) * window.height(), background)});
}

inline std::span<const GlyphPoint> glyph_of_size(int size) {
  return {glyph_points[static_cast<size_t>(size - 1)].data(),
          static_cast<size_t>(glyph_count[static_cast<size_t>(size - 1)])};
}

// The grey phases of the sweep steps: pauses that follow each other without a gap (the slices of one
// grey second) taken together.
inline std::vector<SimulatedPause> grey_phases(const std::vector<SimulatedPause>& pauses) {
  std::vector<SimulatedPause> phases;
  for (const SimulatedPause& pause : pauses) {
    if (!phases.empty() && std::abs(phases.back().start_seconds + phases.back().duration_ms / 1000.0 -
                                    pause.start_seconds) < 1e-6) {
      phases.back().duration_ms += pause.duration_ms;
    } else {
      phases.push_back(pause);
    }
  }
  return phases;
}

// ---- Mouse and menus (from any thread but the GUI thread; they wait until the event is handled) ----

inline constexpr int kCanvasX = 490;
inline constexpr int kCanvasY = 325;

inline void press(int button, int modifiers = 0) {
  display::run_on_gui([=] { press_button(1, button, kCanvasX, kCanvasY, modifiers); });
}
inline void release(int button, int modifiers = 0) {
  display::run_on_gui([=] { release_button(1, button, kCanvasX, kCanvasY, modifiers); });
}
inline void click_button(int button, int modifiers = 0) {
  press(button, modifiers);
  release(button, modifiers);
}

// Clicks the menu bar entry whose text (without its "&") is `text` (UTF-8). GUI thread.
inline void click_menu_on_gui(const QString& text) {
  auto* bar = frame_widget_for_test()->findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  for (QAction* action : bar->actions()) {
    if (QString(action->text()).remove('&') == text) {
      QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
      return;
    }
  }
  ADD_FAILURE() << "no menu entry " << text.toStdString();
}

inline void choose_menu(const QString& text) {
  display::run_on_gui([&] { click_menu_on_gui(text); });
}

// ---- The activities the main loop dispatched to ----------------------------------------------------

struct ActivityCall {
  std::string routine;  // "training", "vision check" or "chart"
  int32_t size = 0;     // training only
  int16_t window_nx = 0;
  int16_t window_ny = 0;
  bool global_glyph_set = false;  // training was given the program's own glyph arrays
  double at = 0;                  // simulated epoch seconds of the call
};

class ActivityLog {
 public:
  static ActivityLog& instance() {
    static ActivityLog log;
    return log;
  }
  void add(ActivityCall call) {
    std::lock_guard guard(lock_);
    calls_.push_back(std::move(call));
  }
  std::vector<ActivityCall> calls() {
    std::lock_guard guard(lock_);
    return calls_;
  }
  SimulatedTime* time = nullptr;

 private:
  std::mutex lock_;
  std::vector<ActivityCall> calls_;
};

inline double activity_time() {
  return ActivityLog::instance().time != nullptr ? ActivityLog::instance().time->now() : 0;
}

inline void record_training(int32_t size, const GlyphCounts& counts, const GlyphPoints& points, int16_t nx,
                            int16_t ny) {
  ActivityLog::instance().add(
      {"training", size, nx, ny, &counts == &glyph_count && &points == &glyph_points, activity_time()});
}
inline void record_vision_check(int16_t nx, int16_t ny) {
  ActivityLog::instance().add({"vision check", 0, nx, ny, false, activity_time()});
}
inline void record_chart() {
  ActivityLog::instance().add({"chart", 0, 0, 0, false, activity_time()});
}

// ---- The whole program -------------------------------------------------------------------------------

// A fresh working directory holding the shipped glyph file, the parameter dialog answered, simulated time
// from `start`, the activities replaced by recorders; run() runs the program until it ends and returns its
// exit code.
class SessionRun {
 public:
  explicit SessionRun(double start = SimulatedTime::kDefaultStart, bool with_glyph_file = true)
      : time(start) {
    if (with_glyph_file) {
      std::filesystem::copy_file(std::filesystem::path(ZORIKAN_SOURCE_DIR) / "data" / "zorikan.sym",
                                 dir.path() / "zorikan.sym");
    }
    // Reads every 100 us: a 5-second display period is 50 000 polls.
    time.set_read_step(std::chrono::microseconds(100));
    ActivityLog::instance().time = &time;
    activity_routines = {&record_training, &record_vision_check, &record_chart};
  }
  ~SessionRun() { time.close(); }

  // The parameter dialog is answered with "Начать работу" (the defaults).
  int run(int watchdog_seconds = 60) {
    DialogRobot start_work([](QDialog& dialog) {
      click(push_button(dialog, 1));
      return true;
    });
    HarnessOptions options;
    options.startup_settings = [] { return startup_settings(); };
    options.watchdog_seconds = watchdog_seconds;
    return run_display([] { main_program(); }, options, &boxes);
  }

  TempWorkDir dir;
  SimulatedTime time;
  TimeSoundServiceGuard guard{time};
  RecordedBoxes boxes;
};

}  // namespace zorikan::testing
