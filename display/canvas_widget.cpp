// The canvas: 1:1 repaint of the surface and mouse message translation.
#include "display/canvas_widget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>

#include <cmath>
#include <map>

#include "display/mouse_delivery.h"

namespace zorikan::display {
namespace {

// Views by window number; GUI thread only.
std::map<int32_t, ChildView> g_views;

// Qt's key state after the event, in the program's bits: 1 left, 2 right, 4 shift, 8 control, 16 middle.
int32_t key_state_of(const QMouseEvent* event) {
  int32_t state = 0;
  if (event->buttons() & Qt::LeftButton) state |= 1;
  if (event->buttons() & Qt::RightButton) state |= 2;
  if (event->modifiers() & Qt::ShiftModifier) state |= 4;
  if (event->modifiers() & Qt::ControlModifier) state |= 8;
  if (event->buttons() & Qt::MiddleButton) state |= 16;
  return state;
}

// The sub-window of a program's window stays for the whole run: its title bar has neither a close nor
// a minimise button, it has no system menu, and a close request (Ctrl+F4, a double click on the title's
// icon, the child area closing its active window) is refused. The layer removes it itself, without a
// close request, when the unit is closed.
class ProgramSubWindow : public QMdiSubWindow {
 public:
  explicit ProgramSubWindow(QWidget* child_area) : QMdiSubWindow(child_area) {
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setSystemMenu(nullptr);
    setAttribute(Qt::WA_DeleteOnClose, false);
  }

 protected:
  void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

}  // namespace

CanvasWidget::CanvasWidget(std::shared_ptr<ChildWindow> window) : window_(std::move(window)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  window_->repaint = [](ChildWindow& damaged_window, const QRect&) {
    const int32_t number = damaged_window.number;
    QMetaObject::invokeMethod(
        qApp,
        [number] {
          auto view = g_views.find(number);
          if (view != g_views.end()) view->second.canvas->flush_damage();
        },
        Qt::QueuedConnection);
  };
}

void CanvasWidget::fit_surface() {
  QSize pixels;
  {
    std::lock_guard guard(window_->lock);
    pixels = window_->surface.size();
  }
  const qreal ratio = devicePixelRatioF();
  setFixedSize(static_cast<int>(std::ceil(pixels.width() / ratio)),
               static_cast<int>(std::ceil(pixels.height() / ratio)));
  update();
}

void CanvasWidget::flush_damage() {
  QRect damaged;
  {
    std::lock_guard guard(window_->lock);
    damaged = window_->pending_damage;
    window_->pending_damage = QRect();
    window_->repaint_pending = false;
  }
  const qreal ratio = devicePixelRatioF();
  const QRect logical(static_cast<int>(std::floor(damaged.x() / ratio)),
                      static_cast<int>(std::floor(damaged.y() / ratio)),
                      static_cast<int>(std::ceil(damaged.width() / ratio)) + 1,
                      static_cast<int>(std::ceil(damaged.height() / ratio)) + 1);
  update(logical);
}

// The surface is drawn in device pixels: the painter's scale is undone so that Qt never resamples it.
// The frame rounds the desktop's scale factor to a whole number, so the undone scale is exact.
void CanvasWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const qreal ratio = devicePixelRatioF();
  painter.fillRect(event->rect(), palette().window());
  painter.scale(1.0 / ratio, 1.0 / ratio);
  std::lock_guard guard(window_->lock);
  const QRect device(event->rect().topLeft() * ratio, event->rect().size() * ratio);
  const QRect area = device.intersected(window_->surface.rect());
  if (!area.isEmpty()) painter.drawImage(area.topLeft(), window_->surface, area);
  // The text cursor: a bar under the first character cell, inverting what it covers.
  if (window_->caret_on && hasFocus()) {
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(QRect(0, window_->cell_height - 2, window_->cell_width, 2), Qt::white);
  }
}

void CanvasWidget::deliver(QMouseEvent* event, int event_bit) {
  const qreal ratio = devicePixelRatioF();
  const QPointF position = event->position() * ratio;
  deliver_mouse_event(*window_, event_bit, key_state_of(event), static_cast<int32_t>(position.x()),
                      static_cast<int32_t>(position.y()));
  event->accept();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) deliver(event, kMouseLeftDown);
  if (event->button() == Qt::RightButton) deliver(event, kMouseRightDown);
  if (event->button() == Qt::MiddleButton) deliver(event, kMouseMiddleDown);
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) deliver(event, kMouseLeftUp);
  if (event->button() == Qt::RightButton) deliver(event, kMouseRightUp);
  if (event->button() == Qt::MiddleButton) deliver(event, kMouseMiddleUp);
}

// A double click arrives in place of the second press. It goes to the double-click routine when one is
// registered, otherwise it counts as the press it also is, so fast repeated answers are never lost.
void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const bool left = event->button() == Qt::LeftButton;
  const bool right = event->button() == Qt::RightButton;
  if (event->button() == Qt::MiddleButton) deliver(event, kMouseMiddleDown);
  if (!left && !right) return;
  const int double_bit = left ? kMouseLeftDoubleClick : kMouseRightDoubleClick;
  const int press_bit = left ? kMouseLeftDown : kMouseRightDown;
  deliver(event, has_mouse_routine(*window_, double_bit) ? double_bit : press_bit);
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
  deliver(event, kMouseMove);
}

ChildView create_child_view(const std::shared_ptr<ChildWindow>& window, QWidget* child_area) {
  ChildView view;
  view.canvas = new CanvasWidget(window);
  view.scroll_area = new QScrollArea;
  view.scroll_area->setWidget(view.canvas);
  view.scroll_area->setFrameShape(QFrame::NoFrame);
  view.scroll_area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  view.sub_window = new ProgramSubWindow(child_area);
  view.sub_window->setWidget(view.scroll_area);
  g_views[window->number] = view;
  return view;
}

ChildView child_view_of(const ChildWindow& window) {
  auto view = g_views.find(window.number);
  return view == g_views.end() ? ChildView{} : view->second;
}

void forget_child_view(const ChildWindow& window) {
  g_views.erase(window.number);
}

}  // namespace zorikan::display
