// The ruler window: a horizontal bar that the user stretches until it is as long as an object held
// against the screen, so that the screen's pixel pitch can be measured with something everyone has.
//
// The bar is drawn and measured in device pixels, the pixels the program's figures are drawn in: its
// left end stands on a whole device pixel and a step of the arrow keys or of the mouse wheel moves its
// right end by one device pixel, whatever the desktop's scale factor. GUI thread only.
#pragma once

#include <QDialog>

#include <functional>

class QLabel;

namespace zorikan::dialog {

class RulerBar final : public QWidget {
  Q_OBJECT

 public:
  // `on_change` is called with the new length whenever it changes. The bar is as wide as most of the
  // screen, so that a fine pitch can still reach the object's length.
  RulerBar(QWidget* parent, std::function<void(int)> on_change);

  int length_pixels() const { return length_; }
  // Held between the shortest and the longest length the widget shows.
  void set_length(int pixels);
  // The longest bar the widget shows, in device pixels.
  int longest_pixels() const;

  static constexpr int kShortestPixels = 20;

 protected:
  QSize sizeHint() const override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  int left_end_pixels() const;
  void drag_to(const QPointF& position);

  int length_ = kShortestPixels;
  int wheel_angle_ = 0;  // eighths of a degree turned and not yet used (fine-grained wheels)
  std::function<void(int)> on_change_;
};

class RulerWindow final : public QDialog {
  Q_OBJECT

 public:
  // `instruction` is UTF-8 text above the bar; `reference_mm` the length of the object held against it.
  RulerWindow(QWidget* owner, const QString& instruction, double reference_mm, int initial_pixels);

  int bar_pixels() const { return bar_->length_pixels(); }

 private:
  void show_length(int pixels);

  double reference_mm_;
  RulerBar* bar_;
  QLabel* reading_;
};

}  // namespace zorikan::dialog
