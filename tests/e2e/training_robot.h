// The robot user of the training run's whole-program tests: the real program with the real run_training
// (the other activities recorded), a robot that finds the glyph's side in the window's pixels, and the
// run's picture as its definition gives it. Header-only, like session_robot.h.
#pragma once

#include <QImage>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "session/activity_routines.h"
#include "tests/e2e/session_robot.h"
#include "training/run_training.h"

namespace zorikan::testing {

inline constexpr int kPictureTop = 20;
inline constexpr double kFirstSizeFiveStep = 3;  // sizes 2, 3, 4, 5: step 3 shows size 5

// The program with the real training run; the vision check and the chart are recorded.
class TrainingSessionRun : public SessionRun {
 public:
  explicit TrainingSessionRun(double start = SimulatedTime::kDefaultStart) : SessionRun(start) {
    activity_routines.run_training = &run_training;
  }
  // The moment 3 s into the picture of size 5 of the first sweep, when the robot starts the run.
  double size_five_moment() const { return start_ + 6.0 * kFirstSizeFiveStep + 4.0; }

 private:
  double start_ = time.now();
};

// The picture area (rows 20 down) of a window image.
inline QImage picture_area(const QImage& window) {
  return window.copy(0, kPictureTop, window.width(), window.height() - kPictureTop);
}

// The run's picture over `base` (a picture area): the grating and glyph `size` at `offset`, rows counted
// from window row 20, tiles above it cut.
inline ReferencePicture training_reference(const QImage& base, int size, int offset,
                                           std::span<const GlyphPoint> points) {
  std::vector<GlyphPoint> shifted(points.begin(), points.end());
  for (GlyphPoint& point : shifted) point.row -= kPictureTop;
  return reference_picture(picture_of(base), size, offset, shifted);
}

// Which side the glyph of pattern size `size` is on: the half of the picture area where more pixels
// depart from the bare grating. True for the left.
inline bool glyph_is_left(const QImage& window, int size) {
  const int cells = window.width() / size;
  long departures[2] = {0, 0};
  for (int y = kPictureTop; y < window.height(); ++y) {
    for (int x = 1; x <= cells * size && x < window.width(); ++x) {
      const int cell = (x - 1) / size + 1;
      const uint32_t grating = (cell + y) % 2 == 1 ? kWhitePixel : kBlackPixel;
      departures[x < window.width() / 2 ? 0 : 1] += rgb_at(window, x, y) != grating;
    }
  }
  return departures[0] > departures[1];
}

// What the robot does in the answer window of one image, `seconds` after its tone began.
// `during_next_drawing` acts 0.8 s after the answer, in the grey second before the next picture.
enum class Act { kSide, kOtherSide, kNothing, kBothButtons, kChartMenu, kClick, kMiddle };
struct Answer {
  Act act = Act::kSide;
  double seconds = 1.0;
  Act during_next_drawing = Act::kNothing;
};

// Plays a script of answers, one per image, from the 1000 Hz tone that opens each answer window; when
// the script is done, it clicks the final prompt at `final_click` seconds after the last verdict tone and
// then leaves the program by "Выход" 6 s later (or 1 s after the last verdict when `final_click` is
// negative).
class TrainingRobot {
 public:
  TrainingRobot(SimulatedTime& time, std::vector<Answer> script, double final_click = 1.0)
      : time_(time), script_(std::move(script)), final_click_(final_click) {
    time.on_tone([this](const SimulatedTone& tone) { on_tone(tone); });
  }
  // Window pictures at each opening tone; the side the robot saw.
  std::vector<QImage> pictures;
  std::vector<bool> left_sides;
  std::function<void()> on_final_prompt;
  bool leave_by_exit = true;  // false where the frame has no menu bar
  int final_button = Qt::LeftButton;

 private:
  void on_tone(const SimulatedTone& tone) {
    if (tone.frequency_hz == 1000) return open(tone);
    if (tone.frequency_hz == 800 || tone.frequency_hz == 200 || tone.frequency_hz == 400) {
      if (++verdicts_ == script_.size()) finish(tone);
    }
  }
  void open(const SimulatedTone& tone) {
    const QImage picture = window_picture();
    pictures.push_back(picture);
    const bool left = glyph_is_left(picture, shown_size(picture));
    left_sides.push_back(left);
    const Answer answer = script_.at(opened_++);
    const int side = left ? Qt::LeftButton : Qt::RightButton;
    const int other = left ? Qt::RightButton : Qt::LeftButton;
    const double at = tone.start_seconds + answer.seconds;
    act(answer.during_next_drawing, at + 0.8, side, other);
    act(answer.act, at, side, other);
  }
  void act(Act what, double at, int side, int other) {
    switch (what) {
      case Act::kSide:
        return click_at(at, side);
      case Act::kOtherSide:
        return click_at(at, other);
      case Act::kNothing:
        return;
      case Act::kBothButtons:
        time_.at(at, [] {
          press(Qt::LeftButton);
          press(Qt::RightButton);
        });
        time_.at(at + 0.5, [] {
          release(Qt::LeftButton);
          release(Qt::RightButton);
        });
        return leave(at + 10);
      case Act::kChartMenu:
        time_.at(at, [] { choose_menu("Итоги_тренировок"); });
        return leave(at + 10);
      case Act::kClick:
        return click_at(at, Qt::LeftButton);
      case Act::kMiddle:
        return click_at(at, Qt::MiddleButton);
    }
  }
  void finish(const SimulatedTone& tone) {
    const double end = tone.start_seconds + tone.duration_ms / 1000.0;
    if (final_click_ < 0) return leave(end + 1);
    time_.at(end + final_click_, [this] {
      if (on_final_prompt) on_final_prompt();
      click_button(final_button);
    });
    leave(end + final_click_ + 6);
  }
  void click_at(double at, int button) {
    time_.at(at, [button] { click_button(button); });
  }
  void leave(double at) {
    if (leave_by_exit) time_.at(at, [] { choose_menu("Выход"); });
  }
  static int shown_size(const QImage& picture) {
    // Row 20 is the picture's first row: column 0 black, then L white pixels.
    int size = 0;
    while (rgb_at(picture, 1 + size, kPictureTop) == kWhitePixel) ++size;
    return size > 0 ? size : 1;
  }

  SimulatedTime& time_;
  std::vector<Answer> script_;
  double final_click_;
  size_t opened_ = 0;
  size_t verdicts_ = 0;
};

}  // namespace zorikan::testing
