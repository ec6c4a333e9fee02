#include "tests/support/dialog_robot.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "dialog/dialog_window.h"
#include "dialog/ruler_window.h"

namespace zorikan::testing {
namespace {

template <typename Widget>
Widget* control(QDialog& dialog, int id) {
  for (Widget* widget : dialog.findChildren<Widget*>()) {
    if (widget->property(dialog::kControlIdProperty).toInt() == id) return widget;
  }
  return nullptr;
}

QWidget* focus_of(QDialog& dialog) {
  return dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog;
}

}  // namespace

DialogRobot::DialogRobot(std::function<bool(QDialog& dialog)> step) : step_(std::move(step)) {
  timer_.setInterval(10);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    QDialog* dialog = shown_dialog();
    if (dialog == nullptr || finished_) return;
    if (step_(*dialog)) {
      finished_ = true;
      timer_.stop();
    }
  });
  timer_.start();
}

QDialog* shown_dialog() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (dynamic_cast<dialog::DialogWindow*>(widget) != nullptr && widget->isVisible()) {
      return static_cast<QDialog*>(widget);
    }
  }
  return nullptr;
}

QLineEdit* edit_box(QDialog& dialog, int id) {
  return control<QLineEdit>(dialog, id);
}

QPushButton* push_button(QDialog& dialog, int id) {
  return control<QPushButton>(dialog, id);
}

QLabel* label(QDialog& dialog, int id) {
  return control<QLabel>(dialog, id);
}

int red_pixels(const QImage& image, const QRect& area) {
  int red = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor color = image.pixelColor(x, y);
      red += color.red() > 120 && color.green() < 80 && color.blue() < 80;
    }
  }
  return red;
}

QDialog* shown_ruler() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (dynamic_cast<dialog::RulerWindow*>(widget) != nullptr && widget->isVisible()) {
      return static_cast<QDialog*>(widget);
    }
  }
  return nullptr;
}

void click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void retype(QLineEdit* box, const QString& text) {
  click(box);
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  bool ascii = true;
  for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
  if (ascii) {
    QTest::keyClicks(box, text);
    return;
  }
  // Keys without a Qt key code of their own (Cyrillic letters) go as key events with their text.
  for (QChar c : text) QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void type(QDialog& dialog, const QString& text) {
  for (QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, focus_of(dialog), Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

void press_key(QDialog& dialog, int key) {
  QTest::keyClick(focus_of(dialog), static_cast<Qt::Key>(key));
}

void press_close_box(QDialog& dialog) {
  QCloseEvent request;
  QApplication::sendEvent(dialog.windowHandle(), &request);
}

}  // namespace zorikan::testing
