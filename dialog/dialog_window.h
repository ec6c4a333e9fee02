// The window of a shown dialog: a QDialog with one widget per template item, placed in dialog units.
//
// Static texts are labels, group boxes frames with a title, buttons push buttons, check boxes or radio
// buttons, edit boxes line edits (digits only with kEditNumber; without kEditAutoHorizontalScroll
// typing stops where the text would pass the box's right edge). Tab order is template order, and the
// first control with a tab stop has the focus when the dialog appears.
//
// Every event reaches the program thread through the session: a click of a button as (id, -4); a change
// of an edit box's text, typed or set, as (id, -3); the cancel command (Esc, the close box) as a click of
// control 2 when there is one; Enter clicks the default push button (the one the template marks, else
// control 1), or the push button that has the focus. The window never closes itself: the program ends
// it. GUI thread only.
#pragma once

#include <QDialog>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/dialog_session.h"
#include "dialog/dialog_template.h"
#include "dialog/dialog_units.h"

namespace zorikan::dialog {

// Widget property holding a control's id (an int), for whoever looks at the widgets from outside.
inline constexpr char kControlIdProperty[] = "zorikan_control_id";

class DialogWindow final : public QDialog {
 public:
  // `texts` holds one Windows-1251 text per template item. `owner` is the dialog shown at the time (for
  // a nested dialog), else null: the dialog then belongs to the frame and is placed relative to the
  // client area of the frame's active child window.
  DialogWindow(const DialogTemplate& dialog_template, const std::vector<std::string>& texts,
               std::shared_ptr<DialogSession> session, DialogWindow* owner);

  // The text of template item `index`, Windows-1251.
  void set_control_text(size_t index, std::string_view text);
  std::string control_text(size_t index) const;
  // The text colour of a static text, RGB 0x00BBGGRR, or with none the style's; other controls keep
  // theirs.
  void set_control_color(size_t index, std::optional<uint32_t> rgb);

  const BaseUnits& base_units() const { return units_; }

 protected:
  void reject() override;

 private:
  std::vector<QWidget*> controls_;  // one per template item
  std::shared_ptr<DialogSession> session_;
  BaseUnits units_;
  bool has_cancel_control_ = false;
};

}  // namespace zorikan::dialog
