// Child windows: open and close on the device "USER", configuration, geometry, focus and caret.
#include "display/user_windows.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <atomic>
#include <optional>
#include <string>

#include "common/cp1251.h"
#include "display/canvas_widget.h"
#include "display/frame_window.h"
#include "display/gui_thread.h"
#include "display/stop_point.h"
#include "display/window_config_rules.h"
#include "display/window_registry.h"

namespace zorikan::display {
namespace {

std::atomic<bool> g_frame_created{false};
std::optional<WindowGeometry> g_stored_frame_geometry;  // GUI thread only, before creation

QString title_text(const ChildWindow& window) {
  if (window.title.empty()) return QString::number(window.unit);
  return QString::fromStdString(cp1251_to_utf8(window.title));
}

ScreenFacts screen_facts() {
  ScreenFacts facts;
  run_on_gui([&] {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QSize pixels = screen->size() * screen->devicePixelRatio();
      facts.screen_width = pixels.width();
      facts.screen_height = pixels.height();
    }
  });
  return facts;
}

// Sizes the sub-window to show the whole surface, as far as the frame's child area allows.
// Layouts are settled at once, so that the window takes clicks where it shows the surface from the
// moment the configuration returns.
void fit_sub_window(const ChildView& view) {
  view.canvas->fit_surface();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  const QSize decoration = view.sub_window->size() - view.scroll_area->size();
  QSize wanted = view.canvas->size() + decoration;
  if (QWidget* area = view.sub_window->mdiArea()) wanted = wanted.boundedTo(area->size());
  view.sub_window->resize(wanted);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void apply_config(const std::shared_ptr<ChildWindow>& window, const CompletedConfig& completed,
                  const WindowConfig& config) {
  bool first = false;
  {
    std::lock_guard guard(window->lock);
    if (window->surface.size() != QSize(completed.pixel_width, completed.pixel_height)) {
      window->surface = QImage(completed.pixel_width, completed.pixel_height, QImage::Format_RGB32);
      window->surface.fill(Qt::black);
    }
    window->text_columns = completed.text_columns;
    window->text_rows = completed.text_rows;
    window->color_count = completed.color_count;
    window->cell_width = completed.cell_width;
    window->cell_height = completed.cell_height;
    const std::string_view title(config.title, strnlen(config.title, sizeof config.title));
    if (!title.empty()) window->title = std::string(title);
    first = !window->configured;
    window->configured = true;
  }
  run_on_gui([&] {
    const ChildView view = child_view_of(*window);
    if (view.sub_window == nullptr) return;
    view.sub_window->setWindowTitle(title_text(*window));
    if (first) view.sub_window->show();
    fit_sub_window(view);
    if (first) {
      view.sub_window->mdiArea()->setActiveSubWindow(view.sub_window);
      view.canvas->setFocus();
      set_frame_active_window(window);
    }
    view.canvas->update();
  });
}

}  // namespace

// Without a frame (no message loop, or not yet or no longer a frame) the window is a record alone. The
// frame pointer is the GUI thread's, so it is looked at only there. A stop may close the record before
// its widgets are made; the open is then refused rather than leaving widgets nobody closes.
bool open_user_window(int32_t unit, std::string_view title) {
  auto window = create_window(unit, title);
  if (!window) return false;
  bool has_frame = false;
  bool created = false;
  run_on_gui([&] {
    FrameWindow* frame = frame_window();
    if (frame == nullptr) return;
    has_frame = true;
    if (window->closed) return;
    ChildView view = create_child_view(window, frame->child_area());
    view.sub_window->setWindowTitle(title_text(*window));
    QObject::connect(frame->child_area(), &QMdiArea::subWindowActivated, view.canvas,
                     [window, sub_window = view.sub_window](QMdiSubWindow* activated) {
                       if (activated == sub_window) set_frame_active_window(window);
                     });
    created = true;
  });
  set_thread_active_window(window);
  return created || !has_frame;
}

bool close_user_window(int32_t unit) {
  auto window = close_window(unit);
  if (!window) return false;
  window->repaint = nullptr;
  run_on_gui([&] {
    const ChildView view = child_view_of(*window);
    forget_child_view(*window);
    if (view.sub_window != nullptr) view.sub_window->deleteLater();
  });
  return true;
}

void close_all_user_windows() {
  for (const auto& window : open_windows()) close_user_window(window->unit);
}

void mark_frame_created() {
  g_frame_created = true;
}

void apply_stored_frame_geometry() {
  FrameWindow* frame = frame_window();
  if (frame == nullptr || !g_stored_frame_geometry) return;
  const WindowGeometry geometry = *g_stored_frame_geometry;
  switch (geometry.mode) {
    case 1:
      frame->setWindowState(Qt::WindowMinimized);
      break;
    case 2:
      frame->setWindowState(Qt::WindowMaximized);
      break;
    case 4:
      frame->move(geometry.x, geometry.y);
      frame->resize(geometry.width, geometry.height);
      break;
    default:
      break;
  }
}

}  // namespace zorikan::display

namespace zorikan {

using display::ChildView;
using display::frame_window;
using display::run_on_gui;

int32_t set_window_config(WindowConfig& config) {
  display::stop_point();
  auto window = display::active_window();
  if (!window) return 0;
  display::CompletedConfig completed;
  if (display::complete_window_config(config, display::screen_facts(), completed) !=
      display::ConfigOutcome::kApply) {
    return 0;
  }
  display::apply_config(window, completed, config);
  return -1;
}

int32_t get_window_config(WindowConfig& config) {
  display::stop_point();
  auto window = display::active_window();
  if (!window) return 0;
  std::lock_guard guard(window->lock);
  config.pixel_width = static_cast<int16_t>(window->surface.width());
  config.pixel_height = static_cast<int16_t>(window->surface.height());
  config.text_columns = static_cast<int16_t>(window->text_columns);
  config.text_rows = static_cast<int16_t>(window->text_rows);
  config.color_count = static_cast<int16_t>(window->color_count);
  config.font_size = (window->cell_width << 16) | window->cell_height;
  const size_t length = std::min(window->title.size(), sizeof config.title - 1);
  std::copy_n(window->title.data(), length, config.title);
  config.title[length] = '\0';
  display::fill_returned_fields(config, display::ScreenFacts{}.bits_per_pixel);
  return 1;
}

int32_t set_window_geometry(int32_t unit, const WindowGeometry& geometry) {
  display::stop_point();
  if (geometry.mode < 1 || geometry.mode > 4) return -1;
  int32_t result = -1;
  if (unit == kFrameUnit) {
    run_on_gui([&] {
      display::FrameWindow* frame = frame_window();
      if (frame == nullptr) return;
      result = 0;
      if (!display::g_frame_created) {
        display::g_stored_frame_geometry = geometry;
        return;
      }
      switch (geometry.mode) {
        case 1:
          frame->showMinimized();
          break;
        case 2:
          frame->showMaximized();
          break;
        case 3:
          frame->showNormal();
          break;
        case 4:
          frame->move(geometry.x, geometry.y);
          frame->set_client_size(geometry.width, geometry.height);
          frame->child_area()->cascadeSubWindows();
          break;
      }
    });
    return result;
  }
  auto window = display::window_of_unit(unit);
  if (!window) return -1;
  run_on_gui([&] {
    const ChildView view = display::child_view_of(*window);
    if (view.sub_window == nullptr) return;
    result = 0;
    switch (geometry.mode) {
      case 1:
        view.sub_window->showMinimized();
        break;
      case 2:
        view.sub_window->showMaximized();
        break;
      case 3:
        view.sub_window->showNormal();
        break;
      case 4: {
        const int scroll_bar = view.sub_window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const QSize frame_extra = view.sub_window->size() - view.scroll_area->size();
        view.sub_window->move(geometry.x * window->cell_width, geometry.y * window->cell_height);
        view.sub_window->resize(geometry.width * window->cell_width + scroll_bar + frame_extra.width(),
                                geometry.height * window->cell_height + scroll_bar + frame_extra.height());
        break;
      }
    }
  });
  return result;
}

int32_t set_active_unit(int32_t unit) {
  display::stop_point();
  auto window = display::window_of_unit(unit);
  if (!window || window->closed) return 0;
  display::set_thread_active_window(window);
  return 1;
}

int32_t set_focus_unit(int32_t unit) {
  display::stop_point();
  auto window = display::window_of_unit(unit);
  if (!window || window->closed) return -1;
  display::set_thread_active_window(window);
  run_on_gui([&] {
    const ChildView view = display::child_view_of(*window);
    if (view.sub_window == nullptr) return;
    view.sub_window->mdiArea()->setActiveSubWindow(view.sub_window);
    view.sub_window->raise();
    view.canvas->setFocus();
  });
  display::set_frame_active_window(window);
  return 0;
}

int32_t set_text_cursor(int32_t show) {
  display::stop_point();
  auto window = display::active_window();
  if (!window || (show != 0 && show != 1)) return -1;
  int32_t previous;
  {
    std::lock_guard guard(window->lock);
    previous = window->caret_on ? 1 : 0;
    window->caret_on = show == 1;
  }
  run_on_gui([&] {
    const ChildView view = display::child_view_of(*window);
    if (view.canvas != nullptr) view.canvas->update();
  });
  return previous;
}

}  // namespace zorikan
