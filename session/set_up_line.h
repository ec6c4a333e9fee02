// The set-up line of the parameter dialog: what the distance, diagonal and resolution typed so far can
// measure in the graphics window, and whether the resolution typed is the screen's. The dialog shows it under
// its boxes and renews it as the user types. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dialog/dialog.h"
#include "services/ring_fit.h"
#include "session/parameter_ranges.h"

namespace zorikan {

// One box as the user left it.
struct TypedValue {
  std::string_view label;  // UTF-8: names the box when its text is no usable number
  std::string_view text;   // Windows-1251, as the box holds it
  const ParameterRange* range;
  bool integer;  // read as an integer, else as a real
};

struct TypedSetUp {
  TypedValue distance;
  TypedValue diagonal;
  TypedValue screen_ny;
  TypedValue screen_nx;
};

// A box's number, or why it has none: "<label>: не число", or the range message.
struct TypedReading {
  double value = 0;
  std::string problem;
  bool ok() const { return problem.empty(); }
};
TypedReading read_typed(const TypedValue& typed);

struct SetUpLine {
  // "Измеримая острота от 0.1 до 1.5; для 2.0 сядьте не ближе 243 см": from the lowest level whose whole
  // ring fits the window to the highest whose gap covers a pixel, then the distance from which 0.1 fits,
  // where it does not, and the distance from which 2.0 shows its gap, where it does not (or that no
  // distance the dialog takes does). Or what keeps the boxes from telling.
  std::string measure;
  // "Экран сейчас 1280 x 1024" when the resolution typed differs from the screen's, then the monitor's
  // diagonal that the system reports, where it reports a plausible one; empty when neither applies.
  std::string screen;
  bool screen_differs = false;  // the screen part is a warning
};

SetUpLine set_up_line(const TypedSetUp& typed, const DialogScreen& screen, RingWindow window);

// The screen's diagonal in inches from the physical size the system reports; 0 when it reports none,
// or one that cannot be the screen's: pixels far from square, a diagonal outside 5 to 150 inches, or
// exactly the size that 96 or 100 pixels per inch give, which X servers and Qt's offscreen platform
// report when they know nothing better.
double reported_diagonal_inch(const DialogScreen& screen);

}  // namespace zorikan
