// The robot user of the vision check's whole-program tests: the real program with the real
// run_vision_check on simulated time. At each ring's onset tone the robot looks at the window (ring size,
// gap side and gap width), asks its policy what to do, and does it with the mouse or the menu; when the
// result screen appears it notes it and clicks it away.
//
// Header-only, like session_robot.h: each test case runs in a process of its own.
#pragma once

#include <atomic>
#include <cmath>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "services/acuity_ladder.h"
#include "services/results_log.h"
#include "services/session_params.h"
#include "services/shared_words.h"
#include "tests/e2e/session_robot.h"
#include "tests/support/ideal_ring.h"
#include "vision/gap_ring.h"
#include "vision/run_vision_check.h"

namespace zorikan::testing {

inline constexpr uint32_t kBluePixel = 0x0000FF;

// What the robot sees of the ring centred in the 980 x 650 window. Rings are grey where their edges cross
// pixels; the robot weighs each pixel by its darkness, 1 - the linear luminance of its red channel.
struct RingView {
  double outer_diameter = 0;  // dark extent along the centre column, pixels
  int side = 0;               // -1 gap on the left, +1 on the right, 0 none seen
  double gap_width = 0;       // the gap side's surplus of light inside the ring's band / the band's thickness
};

inline double darkness_at(const QImage& picture, int x, int y) {
  return 1 - srgb_luminance(static_cast<uint8_t>(rgb_at(picture, x, y) >> 16));
}

// The darkness of the whole picture, in square pixels.
inline double darkness_of(const QImage& picture) {
  double sum = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) sum += darkness_at(picture, x, y);
  }
  return sum;
}

inline RingView look_at_ring(const QImage& picture) {
  RingView view;
  const int cx = picture.width() / 2, cy = picture.height() / 2;
  int top = 0, bottom = picture.height() - 1;
  while (top < cy && darkness_at(picture, cx, top) == 0) ++top;
  while (bottom > cy && darkness_at(picture, cx, bottom) == 0) --bottom;
  if (top >= bottom) return view;
  // The first and the last dark pixel count with the part of them that is dark.
  view.outer_diameter = bottom - top - 1 + darkness_at(picture, cx, top) + darkness_at(picture, cx, bottom);
  // The ring's band between 0.65 and 0.95 of the outer radius (the inner radius is 0.6 of it).
  const double radius = view.outer_diameter / 2, inner = 0.65 * radius, outer = 0.95 * radius;
  double light[2] = {0, 0};
  for (int y = cy - static_cast<int>(radius) - 1; y <= cy + radius; ++y) {
    for (int x = cx - static_cast<int>(radius) - 1; x <= cx + radius; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      if (d >= inner && d <= outer) light[x >= cx] += 1 - darkness_at(picture, x, y);
    }
  }
  if (light[0] == light[1]) return view;
  view.side = light[1] > light[0] ? 1 : -1;
  view.gap_width = std::abs(light[1] - light[0]) / (outer - inner);
  return view;
}

inline bool shows_blue(const QImage& picture) {
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (rgb_at(picture, x, y) == kBluePixel) return true;
    }
  }
  return false;
}

// The ladder level whose ring has the nearest outer diameter for the set-up.
inline float acuity_of(double outer_diameter, const SessionParams& p) {
  auto miss = [&](float acuity) {
    const double scale = ring_scale(acuity, p.distance_cm, p.diagonal_inch, p.screen_nx, p.screen_ny);
    return std::abs(kOuterDiameterMm * scale - outer_diameter);
  };
  float best = kAcuityLadder[2];
  for (int i = 3; i <= 14; ++i) best = miss(kAcuityLadder[i]) < miss(best) ? kAcuityLadder[i] : best;
  return best;
}

// What the robot does at a ring: R right answer, W wrong answer, S nothing, L a click 2.4 s after the
// onset (too late), B / X both buttons (released left first / right first), C the chart menu, in the
// answer window; b / c both buttons / the chart menu in the blank second after a right answer.
using RobotPolicy = std::function<char(const RingView& view, int level, int index_in_level)>;

struct Presentation {
  double at = 0;
  float acuity = 0;
  char action = 'S';
};

class VisionRobot {
 public:
  VisionRobot(SessionRun& session, RobotPolicy policy) : session_(session), policy_(std::move(policy)) {
    activity_routines.run_vision_check = [](int16_t nx, int16_t ny) {
      record_vision_check(nx, ny);
      run_vision_check(nx, ny);
    };
    session.time.on_tone([this](const SimulatedTone& tone) {
      if (tone.frequency_hz == 1000) return on_ring(tone.start_seconds);
      session_.time.at(tone.start_seconds + 1.5, [this] { look_for_result(); });
    });
  }

  // Right-clicks the start screen at `moment` to start the check.
  void start_at(double moment) {
    session_.time.at(moment, [] { click_button(Qt::RightButton); });
  }
  void exit_at(double moment) {
    session_.time.at(moment, [] { choose_menu("Выход"); });
  }

  std::vector<Presentation> presentations() {
    std::lock_guard guard(lock_);
    return presentations_;
  }
  // Acuities of the levels, in the order probed.
  std::vector<float> levels() {
    std::vector<float> probed;
    for (const Presentation& p : presentations())
      if (probed.empty() || probed.back() != p.acuity) probed.push_back(p.acuity);
    return probed;
  }

  std::atomic<double> result_seen_at{0};
  QImage result_picture;  // the result screen as the robot saw it; read after the run
  std::atomic<int> size_after_result{-1};
  bool exit_after_result = true;

 private:
  void on_ring(double t0) {
    const RingView view = look_at_ring(window_picture());
    const float acuity = acuity_of(view.outer_diameter, session_params);
    int index = 0;
    {
      std::lock_guard guard(lock_);
      if (presentations_.empty() || presentations_.back().acuity != acuity) ++level_;
      for (auto it = presentations_.rbegin(); it != presentations_.rend() && it->acuity == acuity; ++it)
        ++index;
    }
    const char action = policy_(view, level_, index);
    {
      std::lock_guard guard(lock_);
      presentations_.push_back({t0, acuity, action});
    }
    const int right = view.side > 0 ? Qt::RightButton : Qt::LeftButton;
    const int wrong = view.side > 0 ? Qt::LeftButton : Qt::RightButton;
    auto& time = session_.time;
    switch (action) {
      case 'R':
      case 'b':
      case 'c':
        time.at(t0 + 0.3, [right] { click_button(right); });
        break;
      case 'W':
        time.at(t0 + 0.3, [wrong] { click_button(wrong); });
        break;
      case 'L':
        time.at(t0 + 2.4, [right] { click_button(right); });
        break;
    }
    const double abandon_at = t0 + (action == 'b' || action == 'c' ? 1.2 : 0.5);
    if (action == 'B' || action == 'X' || action == 'b') {
      const int first = action == 'X' ? Qt::RightButton : Qt::LeftButton;
      const int second = action == 'X' ? Qt::LeftButton : Qt::RightButton;
      time.at(abandon_at, [] {
        press(Qt::LeftButton);
        press(Qt::RightButton);
      });
      time.at(abandon_at + 0.5, [first] { release(first); });
      time.at(abandon_at + 1.0, [second] { release(second); });
    }
    if (action == 'C' || action == 'c') time.at(abandon_at, [] { choose_menu("Итоги_тренировок"); });
  }

  void look_for_result() {
    if (result_seen_at != 0 || !shows_blue(window_picture())) return;
    result_seen_at = session_.time.now();
    result_picture = window_picture();
    click_button(Qt::LeftButton);
    session_.time.at(session_.time.now() + 3.5,
                     [this] { size_after_result = shown_pattern_size(window_picture()); });
    if (exit_after_result) exit_at(session_.time.now() + 4.0);
  }

  SessionRun& session_;
  RobotPolicy policy_;
  std::mutex lock_;
  std::vector<Presentation> presentations_;
  int level_ = 0;
};

// zorikan.vvd with the given five values in its own layout.
inline std::string saved_parameters(const std::string& distance, const std::string& diagonal,
                                    const std::string& ny, const std::string& nx) {
  return distance + "\r\n" + diagonal + "\r\n" + ny + "\r\n" + nx + "\r\n    100\r\n";
}

// The records of zorikan.rtr (the lines after the header), without their CR LF.
inline std::vector<std::string> results_records(const TempWorkDir& dir) {
  std::vector<std::string> lines;
  const std::string text = dir.read(std::string(kResultsLogName));
  for (size_t begin = 0, end; (end = text.find("\r\n", begin)) != std::string::npos; begin = end + 2)
    lines.push_back(text.substr(begin, end - begin));
  if (!lines.empty()) lines.erase(lines.begin());
  return lines;
}

}  // namespace zorikan::testing
