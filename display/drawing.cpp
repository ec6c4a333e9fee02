// The drawing primitives of the Display layer: drawing colour, graphics position, lines, pixels,
// rectangles, ellipses and polygons on the calling thread's active window.
//
// Each operation holds the window's lock while it changes the surface, then records the changed
// area so that the GUI thread repaints it. Shapes are rasterised by SurfaceRaster, pixel-exact.
#include <algorithm>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "display/colors.h"
#include "display/display.h"
#include "display/layer_status.h"
#include "display/stop_point.h"
#include "display/surface_raster.h"
#include "display/window_registry.h"

namespace zorikan {
namespace {

using display::ChildWindow;
using display::record_status;

// The smallest box holding both points, corners included.
QRect box_of(QPoint a, QPoint b) {
  return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
               QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

// The box of a shape with its corners ordered; `corrected` tells whether they had to be swapped.
QRect ordered_box(int16_t x1, int16_t y1, int16_t x2, int16_t y2, bool& corrected) {
  corrected = x2 < x1 || y2 < y1;
  return box_of(QPoint(x1, y1), QPoint(x2, y2));
}

// The status of a shape drawn in `box`: nothing visible, partly visible, or else `otherwise`.
// Clipping is reported in preference to corrected corners: it says more about what was drawn.
int32_t shape_status(const QRect& box, const QImage& surface, int32_t otherwise) {
  if (!box.intersects(surface.rect())) return display::kStatusNothingDrawn;
  if (!surface.rect().contains(box)) return display::kStatusClipped;
  return otherwise;
}

display::SurfaceRaster raster_of(ChildWindow& window) {
  return display::SurfaceRaster(window.surface, display::to_qrgb(display::color_to_rgb(window.draw_color)),
                                display::line_style_of(window.line_pattern));
}

bool valid_fill_control(int16_t control) {
  return control == 2 || control == 3;
}

// The active window of a shape, locked for drawing: empty, with the status recorded, when there is no
// window or surface to draw on or the fill control is neither 2 nor 3.
struct LockedShapeWindow {
  std::shared_ptr<ChildWindow> window;
  std::unique_lock<std::mutex> guard;
};

LockedShapeWindow lock_shape_window(int16_t control) {
  auto window = display::drawing_target();
  if (!window) return {};
  if (!valid_fill_control(control)) {
    record_status(display::kStatusBadArgument);
    return {};
  }
  std::unique_lock guard(window->lock);
  if (window->surface.isNull()) {
    record_status(display::kStatusFailure);
    return {};
  }
  return {std::move(window), std::move(guard)};
}

}  // namespace

int32_t set_draw_color_rgb(int32_t rgb) {
  display::stop_point();
  const auto window = display::drawing_target();
  if (!window) return -1;
  std::lock_guard guard(window->lock);
  record_status(display::kStatusOk);
  return static_cast<int32_t>(display::store_rgb_color(window->draw_color, static_cast<uint32_t>(rgb)));
}

int32_t move_to(int16_t x, int16_t y, GraphicsPosition& previous) {
  display::stop_point();
  const auto window = display::drawing_target();
  if (!window) {
    previous = {};
    return 0;
  }
  std::lock_guard guard(window->lock);
  previous.x = static_cast<int16_t>(window->position.x());
  previous.y = static_cast<int16_t>(window->position.y());
  window->position = QPoint(x, y);
  record_status(display::kStatusOk);
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint16_t>(previous.x)) |
                              static_cast<uint32_t>(static_cast<uint16_t>(previous.y)) << 16);
}

int16_t line_to(int16_t x, int16_t y) {
  display::stop_point();
  const auto window = display::drawing_target();
  if (!window) return 0;
  std::lock_guard guard(window->lock);
  const QPoint from = window->position;
  const QPoint to(x, y);
  window->position = to;
  if (window->surface.isNull()) {
    record_status(display::kStatusFailure);
    return 0;
  }
  auto raster = raster_of(*window);
  raster.line(from, to);
  raster.plot(to.x(), to.y());  // the end pixel is set whatever the pattern
  const QRect bounds = window->surface.rect();
  window->mark_damaged(box_of(from, to));

  const bool beyond_same_edge = (from.x() < bounds.left() && to.x() < bounds.left()) ||
                                (from.x() > bounds.right() && to.x() > bounds.right()) ||
                                (from.y() < bounds.top() && to.y() < bounds.top()) ||
                                (from.y() > bounds.bottom() && to.y() > bounds.bottom());
  if (beyond_same_edge) {
    record_status(display::kStatusNothingDrawn);
  } else if (!bounds.contains(from) || !bounds.contains(to)) {
    record_status(display::kStatusClipped);
  } else {
    record_status(display::kStatusOk);
  }
  return 1;
}

void set_line_pattern(int32_t mask) {
  display::stop_point();
  const auto window = display::drawing_target();
  if (!window) return;
  std::lock_guard guard(window->lock);
  window->line_pattern = static_cast<uint16_t>(mask);
  record_status(display::kStatusOk);
}

int32_t set_pixel_rgb(int16_t x, int16_t y, int32_t rgb) {
  display::stop_point();
  const auto window = display::drawing_target();
  if (!window) return -1;
  std::lock_guard guard(window->lock);
  if (!window->surface.valid(x, y)) {
    record_status(display::kStatusFailure);
    return -1;
  }
  auto* pixel = reinterpret_cast<uint32_t*>(window->surface.scanLine(y)) + x;
  const uint32_t previous = display::rgb_from_qrgb(*pixel);
  *pixel = display::to_qrgb(static_cast<uint32_t>(rgb));
  window->mark_damaged(QRect(x, y, 1, 1));
  record_status(display::kStatusOk);
  return static_cast<int32_t>(previous);
}

int16_t draw_rectangle(int16_t control, int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  display::stop_point();
  const auto locked = lock_shape_window(control);
  if (!locked.window) return 0;
  ChildWindow* window = locked.window.get();
  bool corrected = false;
  const QRect box = ordered_box(x1, y1, x2, y2, corrected);
  auto raster = raster_of(*window);
  if (control == 3) {
    raster.fill_rect(box);
  } else {
    raster.rect_outline(box);
  }
  window->mark_damaged(box);
  record_status(
      shape_status(box, window->surface, corrected ? display::kStatusCorrected : display::kStatusOk));
  return 1;
}

int16_t draw_ellipse(int16_t control, int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  display::stop_point();
  const auto locked = lock_shape_window(control);
  if (!locked.window) return 0;
  ChildWindow* window = locked.window.get();
  bool corrected = false;
  const QRect box = ordered_box(x1, y1, x2, y2, corrected);
  raster_of(*window).ellipse(box, control == 3);  // the outline is solid whatever the pattern
  window->mark_damaged(box);
  record_status(
      shape_status(box, window->surface, corrected ? display::kStatusCorrected : display::kStatusOk));
  return 1;
}

int16_t draw_polygon(int16_t control, std::span<const GraphicsPosition> points) {
  constexpr size_t kMinPoints = 3;
  constexpr size_t kMaxPoints = 16381;
  display::stop_point();
  const auto window = display::drawing_target();
  if (!window) return 0;
  if (!valid_fill_control(control) || points.size() < kMinPoints || points.size() > kMaxPoints) {
    record_status(display::kStatusBadArgument);
    return 0;
  }
  std::vector<QPoint> vertices;
  try {
    vertices.reserve(points.size());
  } catch (const std::bad_alloc&) {
    record_status(display::kStatusOutOfMemory);
    return 0;
  }
  QRect bounds(QPoint(points[0].x, points[0].y), QSize(1, 1));
  for (const GraphicsPosition& point : points) {
    vertices.emplace_back(point.x, point.y);
    bounds = bounds.united(QRect(vertices.back(), QSize(1, 1)));
  }

  std::lock_guard guard(window->lock);
  if (window->surface.isNull()) {
    record_status(display::kStatusFailure);
    return 0;
  }
  raster_of(*window).polygon(vertices, control == 3);
  window->mark_damaged(bounds);
  record_status(window->surface.rect().contains(vertices.front()) ? display::kStatusOk
                                                                  : display::kStatusClipped);
  return 1;
}

}  // namespace zorikan
