// The dialog's window on Qt widgets.
#include "dialog/dialog_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionFrame>

#include "common/cp1251.h"
#include "dialog/control_kind.h"
#include "display/canvas_widget.h"
#include "display/colors.h"
#include "display/frame_state.h"
#include "display/frame_window.h"
#include "display/window_registry.h"

namespace zorikan::dialog {
namespace {

QString from_cp1251(std::string_view text) {
  return QString::fromStdString(cp1251_to_utf8(text));
}

QString from_utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A line edit that takes typed characters the way the template's edit styles say.
class EditBox final : public QLineEdit {
 public:
  EditBox(QWidget* parent, bool digits_only, bool scrolls)
      : QLineEdit(parent), digits_only_(digits_only), scrolls_(scrolls) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    // Keys with Ctrl, Alt or Meta are commands (Ctrl+A selects all), not characters typed.
    const bool command =
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    const QString typed = event->text();
    if (!command && !typed.isEmpty() && typed.at(0).isPrint() && !accepts(typed)) {
      QApplication::beep();
      event->accept();
      return;
    }
    QLineEdit::keyPressEvent(event);
  }

 private:
  bool accepts(const QString& typed) const {
    if (digits_only_) {
      for (QChar c : typed) {
        if (c < u'0' || c > u'9') return false;
      }
    }
    if (scrolls_) return true;
    QString result = text();
    if (hasSelectedText()) {
      result.remove(selectionStart(), selectedText().size());
      result.insert(selectionStart(), typed);
    } else {
      result.insert(cursorPosition(), typed);
    }
    return fontMetrics().horizontalAdvance(result) <= visible_text_width();
  }

  // The width the line edit draws its text in: its contents rectangle less the text margins, the
  // line edit's own 2-pixel margin on each side, and the cursor.
  int visible_text_width() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    contents = contents.marginsRemoved(textMargins());
    return contents.width() - 2 * 2 - style()->pixelMetric(QStyle::PM_TextCursorWidth, &option, this);
  }

  bool digits_only_;
  bool scrolls_;
};

// Where the dialog's position counts from, in screen coordinates: the owner dialog's client area,
// else the client area of the frame's active child window, else the frame's area of child windows.
QPoint owner_client_origin(DialogWindow* owner) {
  if (owner != nullptr) return owner->mapToGlobal(QPoint(0, 0));
  if (const auto child = display::frame_active_window()) {
    const display::ChildView view = display::child_view_of(*child);
    if (view.scroll_area != nullptr) return view.scroll_area->viewport()->mapToGlobal(QPoint(0, 0));
    if (view.sub_window != nullptr) return view.sub_window->mapToGlobal(QPoint(0, 0));
  }
  if (display::FrameWindow* frame = display::frame_window()) {
    return frame->child_area()->viewport()->mapToGlobal(QPoint(0, 0));
  }
  return {0, 0};
}

// The push button Enter clicks: the one the template marks as default, else control 1.
int32_t default_button_id(const DialogTemplate& dialog_template) {
  for (const DialogItem& item : dialog_template.items) {
    if (control_kind(item) == kKindPushButton && (item.style & kButtonTypeMask) == kButtonDefaultPush) {
      return item.id;
    }
  }
  return 1;
}

}  // namespace

DialogWindow::DialogWindow(const DialogTemplate& dialog_template, const std::vector<std::string>& texts,
                           std::shared_ptr<DialogSession> session, DialogWindow* owner)
    : QDialog(owner != nullptr ? static_cast<QWidget*>(owner) : display::frame_widget()),
      session_(std::move(session)) {
  const DialogHeader& header = dialog_template.header;
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
  if ((header.style & kStyleCaption) == kStyleCaption) flags |= Qt::WindowTitleHint;
  if ((header.style & kStyleSystemMenu) != 0) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  setWindowFlags(flags);
  setWindowModality(Qt::ApplicationModal);
  setWindowTitle(from_utf8(header.caption));
  const QFont font = dialog_font(header);
  setFont(font);
  units_ = zorikan::dialog::base_units(font);

  const int32_t default_id = default_button_id(dialog_template);
  QWidget* first_tab_stop = nullptr;
  controls_.reserve(dialog_template.items.size());
  for (size_t i = 0; i < dialog_template.items.size(); ++i) {
    const DialogItem& item = dialog_template.items[i];
    const int32_t kind = control_kind(item);
    const QString text = from_cp1251(i < texts.size() ? texts[i] : std::string());
    const bool tab_stop = (item.style & kStyleTabStop) != 0;
    QWidget* widget = nullptr;
    switch (kind) {
      case kKindStatic: {
        auto* label = new QLabel(text, this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        widget = label;
        break;
      }
      case kKindGroupBox:
        widget = new QGroupBox(text, this);
        break;
      case kKindPushButton: {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(true);
        button->setDefault(item.id == default_id);
        widget = button;
        break;
      }
      case kKindCheckBox:
        widget = new QCheckBox(text, this);
        break;
      case kKindRadioButton:
        widget = new QRadioButton(text, this);
        break;
      case kKindEdit: {
        auto* box =
            new EditBox(this, (item.style & kEditNumber) != 0, (item.style & kEditAutoHorizontalScroll) != 0);
        box->setFrame((item.style & kStyleBorder) != 0);
        box->setText(text);
        box->setCursorPosition(0);
        connect(box, &QLineEdit::textChanged, this, [session = session_, id = item.id] {
          session->post({id, kCallbackChanged});
        });
        widget = box;
        break;
      }
      default:
        break;  // dialog_init refuses templates with kinds that cannot be shown
    }
    controls_.push_back(widget);
    if (widget == nullptr) continue;
    widget->setProperty(kControlIdProperty, item.id);
    widget->setGeometry(to_pixels(units_, item.x, item.y, item.width, item.height));
    if (kind != kKindStatic && kind != kKindGroupBox) {
      widget->setFocusPolicy(tab_stop ? Qt::StrongFocus : Qt::ClickFocus);
      if (tab_stop && first_tab_stop == nullptr) first_tab_stop = widget;
    }
    if (kind_is_clickable(kind)) {
      const int32_t id = item.id;
      connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
              [session = session_, id] {
                session->post({id, kCallbackClicked});
              });
      if (id == 2) has_cancel_control_ = true;
    }
    if ((item.style & kStyleVisible) == 0) widget->hide();
  }

  setFixedSize(horizontal_pixels(units_, header.width), vertical_pixels(units_, header.height));
  move(owner_client_origin(owner) +
       QPoint(horizontal_pixels(units_, header.x), vertical_pixels(units_, header.y)));
  if (first_tab_stop != nullptr) first_tab_stop->setFocus(Qt::TabFocusReason);
}

void DialogWindow::set_control_text(size_t index, std::string_view text) {
  QWidget* widget = index < controls_.size() ? controls_[index] : nullptr;
  if (widget == nullptr) return;
  const QString value = from_cp1251(text);
  if (auto* box = qobject_cast<QLineEdit*>(widget)) {
    box->setText(value);
    box->setCursorPosition(0);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(value);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(value);
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(value);
  }
}

void DialogWindow::set_control_color(size_t index, std::optional<uint32_t> rgb) {
  auto* label = qobject_cast<QLabel*>(index < controls_.size() ? controls_[index] : nullptr);
  if (label == nullptr) return;
  QPalette colors = palette();
  if (rgb) colors.setColor(QPalette::WindowText, QColor::fromRgb(display::to_qrgb(*rgb)));
  label->setPalette(colors);
}

std::string DialogWindow::control_text(size_t index) const {
  QWidget* widget = index < controls_.size() ? controls_[index] : nullptr;
  QString value;
  if (auto* box = qobject_cast<QLineEdit*>(widget)) {
    value = box->text();
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    value = label->text();
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    value = button->text();
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    value = group->title();
  }
  return utf8_to_cp1251(value.toStdString());
}

// Esc and the close box. The dialog stays open until the program ends it.
void DialogWindow::reject() {
  if (has_cancel_control_) session_->post({2, kCallbackClicked});
}

}  // namespace zorikan::dialog
