// The Dialog toolkit: modal dialog boxes built from the program's dialog templates, with text access
// to their controls by control id and routines bound to their buttons.
//
// Every operation is called on the program thread. `dialog_run_modal` holds that thread while the GUI
// thread shows the dialog, and runs the control routines on it as the user clicks; a routine ends the
// dialog with `dialog_exit`. Texts are Windows-1251 bytes; texts handed in lose their trailing blanks.
// Logical results are kTrue (-1) and kFalse (0). No Qt type appears here.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/control_kind.h"
#include "dialog/dialog_template.h"

namespace zorikan {

struct DialogRecord;
// Called on the program thread inside dialog_run_modal: (dialog, control id, callback type). The
// dialog's own routine receives the template id as its control id.
using DialogRoutine = void (*)(DialogRecord& dialog, int32_t& control_id, int32_t& callback_type);

// The routine that ends a dialog when one of its push buttons is clicked: the return value becomes the
// button's id, then dialog_exit. Every push button has it until the program binds its own.
void dialog_end_routine(DialogRecord& dialog, int32_t& control_id, int32_t& callback_type);

struct DialogControl {
  int32_t id = 0;
  int32_t kind = 0;
  bool value_changed = false;       // set since the dialog was shown, not yet on the screen
  bool value_read = false;          // `text` holds what the window showed when it was last read
  std::string text;                 // Windows-1251, trailing blanks removed
  std::optional<uint32_t> color;    // of a static text, RGB 0x00BBGGRR; none: the style's colour
  DialogRoutine clicked = nullptr;  // kinds 3 to 5; null does nothing
  DialogRoutine changed = nullptr;  // edit boxes: the text changed; null does nothing
};

namespace dialog {
struct DialogSession;  // the shown dialog's window and its events (dialog/dialog_session.h)
}

// Owned by the program (one static record per dialog), filled by dialog_init.
struct DialogRecord {
  int32_t template_id = 0;
  const DialogResource* resource = nullptr;       // null: not initialised
  std::shared_ptr<dialog::DialogSession> window;  // while the dialog is shown, else null
  int32_t return_value = 0;
  bool modal = false;
  bool changed = false;  // values set since the dialog was shown
  DialogRoutine dialog_routine = nullptr;
  std::vector<DialogControl> controls;  // template order
};

// Finds the template and fills the record: return value 1, no window, the template's texts, the
// end-dialog routine on push buttons. kFalse when the module has no template of this id or it cannot
// be loaded (a control class the toolkit cannot show); the record is then not usable.
int32_t dialog_init(int32_t template_id, DialogRecord& dialog);

// Stores a control's text (trailing blanks removed); while the dialog is shown it reaches the screen at
// once, or, from inside a control routine, when the routine returns. kFalse for an id not in the
// table or a selector the control's kind does not have; nothing changes then. An omitted selector is
// the control's main value, which is its text except for check boxes and radio buttons.
int32_t dialog_set_text(DialogRecord& dialog, int32_t control_id, std::string_view text,
                        std::optional<int32_t> selector = std::nullopt);

// Copies a control's text into `text`: cut to its length, blank-padded to it. While the dialog is shown
// the text is first read from the window. kFalse as for dialog_set_text (`text` unchanged then).
int32_t dialog_get_text(DialogRecord& dialog, int32_t control_id, std::span<char> text,
                        std::optional<int32_t> selector = std::nullopt);

// Binds `routine` to a control's callback type (omitted: the click of a button, the change of an edit
// box's text), or, with the template id as the control id, makes it the dialog's own routine (callback
// type 0 or omitted). kFalse for an id not in the table or a callback type the kind does not have.
int32_t dialog_set_callback(DialogRecord& dialog, int32_t control_id, DialogRoutine routine,
                            std::optional<int32_t> callback_type = std::nullopt);

// Gives a static text the colour `rgb` (0x00BBGGRR), or with none the style's colour again; it reaches
// the screen as a text set by dialog_set_text does. kFalse for an id not in the table or a control that
// is no static text.
int32_t dialog_set_text_color(DialogRecord& dialog, int32_t control_id, std::optional<uint32_t> rgb);

// Shows the dialog modally and returns its return value once dialog_exit has ended it; -1 when it
// cannot be shown (not initialised, already shown, no window system). A stop of the program ends the
// wait at once (the program thread unwinds; the dialog disappears).
int32_t dialog_run_modal(DialogRecord& dialog);

// Reads every control's value back from the window, then ends the dialog. Nothing when not shown.
void dialog_exit(DialogRecord& dialog);

// Shows `text` in a message box over the dialog, under the dialog's caption, with an OK button, and
// returns once the user has confirmed it. From a control routine this keeps the dialog open for the
// user to correct what the text says.
void dialog_message_box(DialogRecord& dialog, std::string_view text);

// The screen a dialog is on while it is shown, else the screen of the frame window.
struct DialogScreen {
  int32_t width_pixels = 0;  // device pixels, whatever the desktop's scale factor
  int32_t height_pixels = 0;
  double width_mm = 0;  // the physical size the system reports; 0 where it reports none
  double height_mm = 0;
};
DialogScreen dialog_screen(const DialogRecord& dialog);

// A ruler over the dialog: `instruction` (Windows-1251) above a horizontal bar that the user stretches
// until it is as long as an object `reference_mm` millimetres long held against the screen; below it,
// the bar's length and the pixel pitch that follows. The bar is `initial_pixels` device pixels long at
// first (outside its reach: `reference_mm` at 96 pixels per inch). Its end is dragged with the mouse, or
// moved one device pixel a step by the arrow keys and the mouse wheel, whatever the desktop's scale
// factor. Returns the bar's length in device pixels after OK, none after Cancel (Esc, the close box).
std::optional<int32_t> dialog_ruler(DialogRecord& dialog, std::string_view instruction, double reference_mm,
                                    int32_t initial_pixels);

}  // namespace zorikan
