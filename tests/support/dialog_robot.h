// Plays the user on the dialog boxes the program shows: real mouse clicks and key presses on the real
// widgets, from the GUI thread, while the program thread waits in dialog_run_modal.
#pragma once

#include <QString>
#include <QTimer>

#include <functional>

class QDialog;
class QImage;
class QRect;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zorikan::testing {

// Every 10 ms while a dialog of the toolkit is shown, calls `step` with it on the GUI thread, until a
// step returns true. Create it before run_display, on the test's thread.
class DialogRobot {
 public:
  explicit DialogRobot(std::function<bool(QDialog& dialog)> step);
  DialogRobot(const DialogRobot&) = delete;
  DialogRobot& operator=(const DialogRobot&) = delete;

  bool finished() const { return finished_; }

 private:
  QTimer timer_;
  std::function<bool(QDialog&)> step_;
  bool finished_ = false;
};

// The toolkit's dialog shown now, or null.
QDialog* shown_dialog();

// A control of the dialog by its id (null when absent or of another type).
QLineEdit* edit_box(QDialog& dialog, int id);
QPushButton* push_button(QDialog& dialog, int id);
QLabel* label(QDialog& dialog, int id);

// The ruler window shown now over a dialog, or null.
QDialog* shown_ruler();

// The pixels of `area` in `image` that are red, as a warning is written.
int red_pixels(const QImage& image, const QRect& area);

// A left click in the middle of a widget.
void click(QWidget* widget);
// Clicks into the box, selects all its text with Ctrl+A and types `text` key by key (any characters,
// Cyrillic included).
void retype(QLineEdit* box, const QString& text);
// Types `text` key by key into whichever widget of the dialog has the focus.
void type(QDialog& dialog, const QString& text);
// Presses and releases a key (Return, Escape, Tab) on the dialog's focus widget.
void press_key(QDialog& dialog, int key);
// The close box of the dialog's title bar: the window system's close request.
void press_close_box(QDialog& dialog);

}  // namespace zorikan::testing
