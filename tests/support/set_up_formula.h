// What a set-up can measure, worked out in the tests from the physical set-up and never from the
// program's own code: the gap of level a is 14.5 mm x (0.1 / a) x (distance / 500 cm) on the eye's
// scale, and a screen pixel is diagonal x 25.4 / sqrt(nx^2 + ny^2) millimetres. A level can be measured
// when its gap covers at least one pixel.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

namespace zorikan::testing {

inline double pixel_pitch_mm(double diagonal_inch, int nx, int ny) {
  return diagonal_inch * 25.4 / std::hypot(double(nx), double(ny));
}

// The set-up line's first part as the user should read it.
inline std::string expected_measure(double distance_cm, double diagonal_inch, int nx, int ny) {
  const double pitch = pixel_pitch_mm(diagonal_inch, nx, ny);
  const char* names[] = {"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0", "1.25", "1.5", "2.0"};
  const double levels[] = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.25, 1.5, 2.0};
  std::string highest;
  for (int i = 0; i < 13; ++i) {
    if (14.5 * (0.1 / levels[i]) * (distance_cm / 500) / pitch >= 1) highest = names[i];
  }
  std::string line = highest.empty() ? "Даже 0.1 не измерить" : "Измеримая острота до " + highest;
  if (highest == "2.0") return line;
  const double needed = 500 * pitch * (2.0 / 0.1) / 14.5;
  return line + "; для 2.0 сядьте не ближе " + std::to_string(static_cast<int>(std::ceil(needed))) + " см";
}

// The diagonal that the card ruler's bar gives, as the diagonal box shows it (6 characters, 2 decimals).
inline std::string expected_diagonal_box(int bar_pixels, int nx, int ny) {
  char text[16];
  std::snprintf(text, sizeof text, "%6.2f", 85.6 / bar_pixels * std::hypot(double(nx), double(ny)) / 25.4);
  return text;
}

}  // namespace zorikan::testing
