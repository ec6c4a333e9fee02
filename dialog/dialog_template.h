// Dialog templates: the data from which the toolkit builds a dialog box.
//
// A template is a header (window style, position and size, caption, font) followed by one item per
// control, in tab order. Each item names its window class and style bits; the toolkit derives the
// control's kind from them, so a new dialog is a new table, never new code. Position and size are
// dialog units: a horizontal unit is a quarter of the dialog font's average character width, a
// vertical unit an eighth of its character height. Positions are relative to the owner's client area
// (the dialog) and to the dialog's client area (its controls); the sizes of a dialog are those of its
// client area.
//
// Texts are UTF-8 in the source and must convert to Windows-1251 (checked at compile time by
// `template_texts_convert`); the toolkit hands them to the program as Windows-1251.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "common/cp1251.h"

namespace zorikan {

// Window style bits of the dialog and of its controls.
inline constexpr uint32_t kStylePopup = 0x80000000u;
inline constexpr uint32_t kStyleVisible = 0x10000000u;
inline constexpr uint32_t kStyleCaption = 0x00C00000u;
inline constexpr uint32_t kStyleBorder = 0x00800000u;
inline constexpr uint32_t kStyleSystemMenu = 0x00080000u;  // the caption's close box
inline constexpr uint32_t kStyleGroup = 0x00020000u;
inline constexpr uint32_t kStyleTabStop = 0x00010000u;
inline constexpr uint32_t kStyleModalFrame = 0x00000080u;  // dialog: fixed size, dialog frame

// Button styles: the low four bits are the button's type.
inline constexpr uint32_t kButtonTypeMask = 0x0000000Fu;
inline constexpr uint32_t kButtonPush = 0x0;
inline constexpr uint32_t kButtonDefaultPush = 0x1;  // Enter clicks it
inline constexpr uint32_t kButtonCheckBox = 0x2;
inline constexpr uint32_t kButtonAutoCheckBox = 0x3;
inline constexpr uint32_t kButtonRadio = 0x4;
inline constexpr uint32_t kButtonGroupBox = 0x7;
inline constexpr uint32_t kButtonAutoRadio = 0x9;

// Edit box styles.
inline constexpr uint32_t kEditAutoHorizontalScroll = 0x0080u;  // without it, typing stops at the box's edge
inline constexpr uint32_t kEditNumber = 0x2000u;                // digits only

// Window classes of controls. The first six are the platform's predefined classes; the last four
// are its common controls.
enum class ControlClass : uint8_t {
  kButton,
  kEdit,
  kStatic,
  kListBox,
  kScrollBar,
  kComboBox,
  kProgressBar,
  kTrackBar,
  kSpinButton,
  kTabControl,
};

struct DialogHeader {
  uint32_t style = 0;
  int16_t x = 0;  // dialog units
  int16_t y = 0;
  int16_t width = 0;
  int16_t height = 0;
  std::string_view caption;  // UTF-8
  int16_t font_points = 0;
  std::string_view font_face;
  uint16_t language = 0;  // primary language in the low 10 bits, sublanguage above (0x0419: Russian)
};

struct DialogItem {
  int32_t id = 0;  // -1 for controls the program never addresses (static texts)
  ControlClass control_class = ControlClass::kStatic;
  uint32_t style = 0;
  std::string_view text;  // UTF-8; the initial text value
  int16_t x = 0;          // dialog units
  int16_t y = 0;
  int16_t width = 0;
  int16_t height = 0;
};

struct DialogTemplate {
  DialogHeader header;
  std::span<const DialogItem> items;
};

// A template among the program's resources: its numeric id, its resource name, and the template, which
// may be null for a resource that is declared but cannot be loaded.
struct DialogResource {
  int32_t id = 0;
  std::string_view name;
  const DialogTemplate* dialog = nullptr;
};

// Whether every text of a template converts to Windows-1251; used in a static_assert beside each
// template (a text that does not convert stops the compilation with the converter's diagnostic).
constexpr bool template_texts_convert(const DialogHeader& header, std::span<const DialogItem> items) {
  cp1251_length_of_literal(header.caption);
  for (const DialogItem& item : items) cp1251_length_of_literal(item.text);
  return true;
}

}  // namespace zorikan
