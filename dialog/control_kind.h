// Control kinds: what the toolkit makes of a template item's window class and style, and which value
// selectors and callback types each kind has.
#pragma once

#include <cstdint>

#include "dialog/dialog_template.h"

namespace zorikan {

inline constexpr int32_t kKindStatic = 1;
inline constexpr int32_t kKindGroupBox = 2;
inline constexpr int32_t kKindPushButton = 3;  // plain or default
inline constexpr int32_t kKindCheckBox = 4;
inline constexpr int32_t kKindRadioButton = 5;
inline constexpr int32_t kKindEdit = 6;
inline constexpr int32_t kKindScrollBar = 7;
inline constexpr int32_t kKindListBox = 8;
inline constexpr int32_t kKindComboBox = 9;
inline constexpr int32_t kKindProgressBar = 10;
inline constexpr int32_t kKindTrackBar = 11;
inline constexpr int32_t kKindSpinButton = 12;
inline constexpr int32_t kKindTabControl = 13;
inline constexpr int32_t kKindUnknown = 0;  // a button type the toolkit does not know

// Value selectors: the text of kinds 1 to 5, and the text of an edit box.
inline constexpr int32_t kSelectorText = -2;
inline constexpr int32_t kSelectorEditText = -5;

// Callback types: the dialog's own routine as the dialog is created; the click of a button; a change
// of an edit box's text, typed or set by the program.
inline constexpr int32_t kCallbackInit = 0;
inline constexpr int32_t kCallbackClicked = -4;
inline constexpr int32_t kCallbackChanged = -3;

constexpr int32_t control_kind(const DialogItem& item) {
  switch (item.control_class) {
    case ControlClass::kButton:
      switch (item.style & kButtonTypeMask) {
        case kButtonPush:
        case kButtonDefaultPush:
          return kKindPushButton;
        case kButtonCheckBox:
        case kButtonAutoCheckBox:
          return kKindCheckBox;
        case kButtonRadio:
        case kButtonAutoRadio:
          return kKindRadioButton;
        case kButtonGroupBox:
          return kKindGroupBox;
        default:
          return kKindUnknown;
      }
    case ControlClass::kEdit:
      return kKindEdit;
    case ControlClass::kStatic:
      return kKindStatic;
    case ControlClass::kListBox:
      return kKindListBox;
    case ControlClass::kScrollBar:
      return kKindScrollBar;
    case ControlClass::kComboBox:
      return kKindComboBox;
    case ControlClass::kProgressBar:
      return kKindProgressBar;
    case ControlClass::kTrackBar:
      return kKindTrackBar;
    case ControlClass::kSpinButton:
      return kKindSpinButton;
    case ControlClass::kTabControl:
      return kKindTabControl;
  }
  return kKindUnknown;
}

// The kinds the toolkit can show: texts, boxes and buttons. Lists, scroll bars and the common
// controls are never used by the program.
constexpr bool kind_is_shown(int32_t kind) {
  return kind >= kKindStatic && kind <= kKindEdit;
}

// The selector of a kind's text: -5 for an edit box, -2 for the others it shows, 0 for none.
constexpr int32_t text_selector(int32_t kind) {
  if (kind == kKindEdit) return kSelectorEditText;
  return kind >= kKindStatic && kind <= kKindRadioButton ? kSelectorText : 0;
}

// Whether the kind's main value (the omitted selector) is its text; a check box's or radio button's
// main value is its state.
constexpr bool text_is_main_value(int32_t kind) {
  return kind == kKindStatic || kind == kKindGroupBox || kind == kKindPushButton || kind == kKindEdit;
}

constexpr bool kind_is_clickable(int32_t kind) {
  return kind == kKindPushButton || kind == kKindCheckBox || kind == kKindRadioButton;
}

}  // namespace zorikan
