// The ruler window on Qt widgets.
#include "dialog/ruler_window.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "common/millimetres_per_inch.h"

namespace zorikan::dialog {
namespace {

// Logical pixels: the space left of the bar's left end, and the bar's band.
constexpr int kMargin = 16;
constexpr int kBarTop = 12;
constexpr int kBarHeight = 40;
constexpr int kHeight = kBarTop + kBarHeight + 12;
// The part of the screen's width the bar may take.
constexpr double kScreenShare = 0.85;
// One notch of a mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;
constexpr double kPlainPixelsPerInch = 96;

int device_pixels(double logical, double ratio) {
  return static_cast<int>(std::lround(logical * ratio));
}

}  // namespace

RulerBar::RulerBar(QWidget* parent, std::function<void(int)> on_change)
    : QWidget(parent), on_change_(std::move(on_change)) {
  const QScreen* shown_on = parent != nullptr ? parent->screen() : screen();
  setFixedSize(static_cast<int>(shown_on->availableGeometry().width() * kScreenShare), kHeight);
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::SizeHorCursor);
}

int RulerBar::left_end_pixels() const {
  return device_pixels(kMargin, devicePixelRatioF());
}

int RulerBar::longest_pixels() const {
  return device_pixels(width(), devicePixelRatioF()) - 2 * left_end_pixels();
}

void RulerBar::set_length(int pixels) {
  const int held = std::clamp(pixels, kShortestPixels, std::max(kShortestPixels, longest_pixels()));
  if (held == length_) return;
  length_ = held;
  update();
  on_change_(length_);
}

QSize RulerBar::sizeHint() const {
  return size();
}

// Drawn in device pixels: the painter's scale is undone, so the bar covers exactly length_ of them.
void RulerBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const qreal ratio = devicePixelRatioF();
  painter.scale(1.0 / ratio, 1.0 / ratio);
  const int height = device_pixels(this->height(), ratio);
  const int left = left_end_pixels();
  // Guides across the whole band at both ends, for the object's edges.
  painter.fillRect(QRect(left - 1, 0, 1, height), Qt::gray);
  painter.fillRect(QRect(left + length_, 0, 1, height), Qt::gray);
  painter.fillRect(QRect(left, device_pixels(kBarTop, ratio), length_, device_pixels(kBarHeight, ratio)),
                   Qt::black);
}

void RulerBar::drag_to(const QPointF& position) {
  set_length(static_cast<int>(std::lround(position.x() * devicePixelRatioF())) - left_end_pixels());
}

void RulerBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  drag_to(event->position());
}

void RulerBar::mouseMoveEvent(QMouseEvent* event) {
  if ((event->buttons() & Qt::LeftButton) == 0) return QWidget::mouseMoveEvent(event);
  drag_to(event->position());
}

void RulerBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Left) return set_length(length_ - 1);
  if (event->key() == Qt::Key_Right) return set_length(length_ + 1);
  QWidget::keyPressEvent(event);
}

// Up (away from the user) lengthens the bar, one device pixel a notch.
void RulerBar::wheelEvent(QWheelEvent* event) {
  wheel_angle_ += event->angleDelta().y();
  const int notches = wheel_angle_ / kWheelNotch;
  wheel_angle_ -= notches * kWheelNotch;
  set_length(length_ + notches);
  event->accept();
}

RulerWindow::RulerWindow(QWidget* owner, const QString& instruction, double reference_mm, int initial_pixels)
    : QDialog(owner), reference_mm_(reference_mm) {
  setWindowTitle(QStringLiteral("Линейка"));
  setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(instruction, this);
  text->setTextFormat(Qt::PlainText);
  text->setWordWrap(true);
  layout->addWidget(text);
  bar_ = new RulerBar(this, [this](int pixels) { show_length(pixels); });
  layout->addWidget(bar_);
  reading_ = new QLabel(this);
  layout->addWidget(reading_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  const bool reachable =
      initial_pixels >= RulerBar::kShortestPixels && initial_pixels <= bar_->longest_pixels();
  bar_->set_length(
      reachable ? initial_pixels
                : static_cast<int>(std::lround(reference_mm / kMillimetresPerInch * kPlainPixelsPerInch)));
  show_length(bar_->length_pixels());
  bar_->setFocus(Qt::OtherFocusReason);
}

void RulerWindow::show_length(int pixels) {
  reading_->setText(QStringLiteral("Длина полосы в пикселах: %1      Шаг пиксела: %2 мм")
                        .arg(pixels)
                        .arg(reference_mm_ / pixels, 0, 'f', 4));
}

}  // namespace zorikan::dialog
