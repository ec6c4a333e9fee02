// The widget that shows a child window's surface, one surface pixel on one device pixel, and turns
// the mouse messages on it into the program's mouse events.
#pragma once

#include <QWidget>

#include <memory>

#include "display/child_window.h"

class QMdiSubWindow;
class QScrollArea;

namespace zorikan::display {

class CanvasWidget : public QWidget {
  Q_OBJECT

 public:
  explicit CanvasWidget(std::shared_ptr<ChildWindow> window);

  const std::shared_ptr<ChildWindow>& record() const { return window_; }

  // Fits the widget to the surface's size; call after the surface changed size.
  void fit_surface();

  // Copies what changed on the surface to the screen (queued here by the window's repaint request).
  void flush_damage();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void deliver(QMouseEvent* event, int event_bit);

  std::shared_ptr<ChildWindow> window_;
};

// The sub-window of the frame's child area that holds one canvas, with scroll bars when the frame is
// smaller than the surface.
struct ChildView {
  QMdiSubWindow* sub_window = nullptr;
  QScrollArea* scroll_area = nullptr;
  CanvasWidget* canvas = nullptr;
};

ChildView create_child_view(const std::shared_ptr<ChildWindow>& window, QWidget* child_area);
// The view of an open window, or an empty view. GUI thread only.
ChildView child_view_of(const ChildWindow& window);
void forget_child_view(const ChildWindow& window);

}  // namespace zorikan::display
