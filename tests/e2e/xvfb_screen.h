// Helpers of the tests that run the real program on an Xvfb server of their own: the program's path,
// running a tool on the server's display, screenshots, and finding a known picture on the screen.
#pragma once

#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/session_robot.h"
#include "tests/support/xvfb_server.h"

namespace zorikan::testing {

inline std::filesystem::path program_path() {
  return program_beside_tests("zorikan");
}

inline QImage screenshot(const std::string& display, const std::filesystem::path& file) {
  if (!run_on_display({"/usr/bin/import", "-display", display, "-window", "root", file.string()}, display))
    return {};
  return QImage(QString::fromStdString(file.string())).convertToFormat(QImage::Format_RGB32);
}

// Where `reference` stands on the screen, pixel for pixel; (-1, -1) when nowhere. Candidates are the
// places where its top-left 16 x 4 pixels match, in reading order: the grating repeats, but nothing
// above or left of the window continues it, so the first full match is the window.
inline QPoint find_on_screen(const QImage& shot, const ReferencePicture& reference) {
  const auto matches = [&](int ox, int oy, int width, int height) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (rgb_at(shot, ox + x, oy + y) != reference.at(x, y)) return false;
      }
    }
    return true;
  };
  for (int oy = 0; oy + reference.height <= shot.height(); ++oy) {
    for (int ox = 0; ox + reference.width <= shot.width(); ++ox) {
      if (matches(ox, oy, 16, 4) && matches(ox, oy, reference.width, reference.height)) return {ox, oy};
    }
  }
  return {-1, -1};
}

}  // namespace zorikan::testing
