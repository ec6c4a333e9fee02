// The record of one child window: its drawing surface and the drawing state of the program thread.
//
// The surface and every field below are guarded by `lock`, which each drawing or text operation holds
// for its whole work and the repaint holds while it copies the surface to the screen. The widget that
// shows the surface lives on the GUI thread and is reached only through `repaint`.
#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "display/display.h"

namespace zorikan::display {

inline constexpr int kMouseSlotCount = 9;  // one per event bit 1, 2, 4 ... 256

struct CurrentFont {
  int table_index = -1;  // 0-based index in the font table; -1: no font yet
  QFont font;            // created at the requested cell through `scale_x`/`scale_y`
  double scale_x = 1.0;  // drawing transform that makes the glyph cell exactly width x height
  double scale_y = 1.0;
  int ascent = 0;
  int cell_width = 0;  // as requested (0: the face's own proportion)
  int cell_height = 0;
  bool italic = false;
  bool underline = false;
  bool bold = false;
  std::string face;
  bool raster = false;  // drawn at its own size, never scaled or rotated
  int escapement = 0;   // tenths of a degree counter-clockwise, the text rotation at creation
  double baseline = 0;  // ascent in the unscaled units of `font`: where the baseline lies below the cell top
  double cell = 0;      // ascent + descent in the unscaled units of `font`
};

struct ChildWindow {
  std::mutex lock;

  int32_t unit = 0;
  int32_t number = 0;  // 1024 upwards
  std::string title;   // Windows-1251
  std::atomic<bool> closed{false};
  bool configured = false;

  QImage surface;  // Format_RGB32: B, G, R, x bytes per pixel in memory
  int text_columns = 0;
  int text_rows = 0;
  int color_count = 256;
  int cell_width = 8;  // the window's text font cell, pixels
  int cell_height = 16;
  bool caret_on = true;

  uint32_t draw_color = 15;  // colour values as in display.h
  uint32_t text_color = 15;
  uint32_t text_background = 0;
  QPoint position{0, 0};
  uint16_t line_pattern = 0xFFFF;
  CurrentFont font;

  // Program routines per mouse event bit; written by the program thread at registration and read by
  // the GUI thread at delivery.
  std::array<std::atomic<MouseRoutine>, kMouseSlotCount> mouse_routines{};

  // Asks the GUI thread to copy `damaged` from the surface to the screen. Set by the GUI side when it
  // creates the window's widget; null until then (and in tests that draw without a screen).
  std::atomic<void (*)(ChildWindow&, const QRect&)> repaint{nullptr};
  std::atomic<bool> repaint_pending{false};
  QRect pending_damage;  // guarded by lock

  // Records that `damaged` changed; called with `lock` held.
  void mark_damaged(const QRect& damaged);
};

}  // namespace zorikan::display
