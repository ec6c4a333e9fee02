// A child window record with a black surface and no widget, made the calling thread's active window:
// drawing, images and text can be tested without a frame or a message loop.
#pragma once

#include <QImage>

#include <memory>

#include "display/window_registry.h"

namespace zorikan::testing {

inline std::shared_ptr<display::ChildWindow> open_screenless_window(int width, int height) {
  auto window = display::create_window(1, "t");
  if (!window) return nullptr;
  window->surface = QImage(width, height, QImage::Format_RGB32);
  window->surface.fill(0);
  display::set_thread_active_window(window);
  return window;
}

}  // namespace zorikan::testing
