// The toolkit's operations on the program thread, and the modal wait in which control routines run.
#include "dialog/dialog.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <chrono>

#include "common/cp1251.h"
#include "common/logical.h"
#include "dialog/dialog_resources.h"
#include "dialog/dialog_session.h"
#include "dialog/dialog_window.h"
#include "dialog/ruler_window.h"
#include "display/frame_state.h"
#include "display/gui_thread.h"
#include "display/message_boxes.h"
#include "display/stop_point.h"

namespace zorikan {
namespace {

// How often the modal wait looks for a stop of the program while no event comes.
constexpr std::chrono::milliseconds kStopPollInterval{20};

// The dialog running now on the program thread: the owner of a dialog shown from one of its routines.
DialogRecord* g_running_dialog = nullptr;

std::string without_trailing_blanks(std::string_view text) {
  const size_t end = text.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1));
}

DialogControl* find_control(DialogRecord& dialog, int32_t control_id) {
  for (DialogControl& control : dialog.controls) {
    if (control.id == control_id) return &control;
  }
  return nullptr;
}

bool selector_fits(const DialogControl& control, std::optional<int32_t> selector) {
  if (!selector) return text_is_main_value(control.kind);
  return *selector == text_selector(control.kind) && *selector != 0;
}

// Copies the window's text of one control into the table; with `only` null, of every control whose
// value was not set since the window last showed it.
void read_from_window(DialogRecord& dialog, DialogControl* only) {
  const std::shared_ptr<dialog::DialogSession> session = dialog.window;
  std::vector<std::string> texts(dialog.controls.size());
  std::vector<bool> read(dialog.controls.size(), false);
  display::run_on_gui([&] {
    if (session->window == nullptr) return;
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
      if (only != nullptr ? &dialog.controls[i] != only : dialog.controls[i].value_changed) continue;
      texts[i] = session->window->control_text(i);
      read[i] = true;
    }
  });
  for (size_t i = 0; i < dialog.controls.size(); ++i) {
    if (!read[i]) continue;
    dialog.controls[i].text = without_trailing_blanks(texts[i]);
    dialog.controls[i].value_read = true;
  }
}

struct ControlChange {
  size_t index;
  std::string text;
  std::optional<uint32_t> color;
};

// Puts the values set since the dialog was shown on the screen.
void write_changed_to_window(DialogRecord& dialog) {
  const std::shared_ptr<dialog::DialogSession> session = dialog.window;
  std::vector<ControlChange> changes;
  for (size_t i = 0; i < dialog.controls.size(); ++i) {
    DialogControl& control = dialog.controls[i];
    if (!control.value_changed) continue;
    changes.push_back({i, control.text, control.color});
    control.value_changed = false;
  }
  dialog.changed = false;
  if (changes.empty()) return;
  display::run_on_gui([&] {
    if (session->window == nullptr) return;
    for (const ControlChange& change : changes) {
      session->window->set_control_text(change.index, change.text);
      session->window->set_control_color(change.index, change.color);
    }
  });
}

// Marks a control's new value for the screen: at once, or from inside a control routine when the
// routine returns.
void mark_changed(DialogRecord& dialog, DialogControl& control) {
  control.value_changed = true;
  dialog.changed = true;
  if (dialog.window != nullptr && dialog.window->routine_depth == 0) write_changed_to_window(dialog);
}

// Removes the window of a session from the screen and frees it; the GUI thread may be gone already.
void destroy_window(const std::shared_ptr<dialog::DialogSession>& session, bool wait) {
  auto destroy = [session] {
    if (session->window == nullptr) return;
    session->window->hide();
    session->window->deleteLater();
    session->window = nullptr;
  };
  if (wait) {
    display::run_on_gui(destroy);
  } else {
    display::post_to_gui(destroy);
  }
}

void call_routine(DialogRecord& dialog, DialogRoutine routine, int32_t control_id, int32_t callback_type) {
  if (routine == nullptr) return;
  const std::shared_ptr<dialog::DialogSession> session = dialog.window;
  ++session->routine_depth;
  struct DepthGuard {
    dialog::DialogSession& session;
    ~DepthGuard() { --session.routine_depth; }
  } depth_guard{*session};
  routine(dialog, control_id, callback_type);
  if (dialog.window == session && dialog.changed) write_changed_to_window(dialog);
}

void dispatch(DialogRecord& dialog, const dialog::DialogEvent& event) {
  DialogControl* control = find_control(dialog, event.control_id);
  if (control == nullptr) return;
  if (event.callback_type == kCallbackClicked && kind_is_clickable(control->kind)) {
    call_routine(dialog, control->clicked, event.control_id, event.callback_type);
  }
  if (event.callback_type == kCallbackChanged && control->kind == kKindEdit) {
    call_routine(dialog, control->changed, event.control_id, event.callback_type);
  }
}

// While dialog_run_modal runs: the running dialog is this one; afterwards the previous one again,
// and the window is gone however the wait ended (a stop of the program unwinds through here).
class ModalScope {
 public:
  ModalScope(DialogRecord& dialog) : dialog_(dialog), previous_(g_running_dialog) {
    g_running_dialog = &dialog;
  }
  ~ModalScope() {
    g_running_dialog = previous_;
    if (dialog_.window != nullptr) {
      destroy_window(dialog_.window, false);
      dialog_.window = nullptr;
    }
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  DialogRecord& dialog_;
  DialogRecord* previous_;
};

}  // namespace

void dialog_end_routine(DialogRecord& dialog, int32_t& control_id, int32_t& /*callback_type*/) {
  dialog.return_value = control_id;
  dialog_exit(dialog);
}

int32_t dialog_init(int32_t template_id, DialogRecord& dialog) {
  display::stop_point();
  const DialogResource* resource = find_dialog_resource(template_id);
  if (resource == nullptr || resource->dialog == nullptr) return kFalse;
  for (const DialogItem& item : resource->dialog->items) {
    if (!kind_is_shown(control_kind(item))) return kFalse;
  }
  dialog.template_id = template_id;
  dialog.resource = resource;
  dialog.window = nullptr;
  dialog.return_value = 1;
  dialog.modal = false;
  dialog.changed = false;
  dialog.dialog_routine = nullptr;
  dialog.controls.clear();
  for (const DialogItem& item : resource->dialog->items) {
    DialogControl control;
    control.id = item.id;
    control.kind = control_kind(item);
    control.text = without_trailing_blanks(utf8_to_cp1251(item.text));
    control.clicked = control.kind == kKindPushButton ? &dialog_end_routine : nullptr;
    dialog.controls.push_back(std::move(control));
  }
  return kTrue;
}

int32_t dialog_set_text(DialogRecord& dialog, int32_t control_id, std::string_view text,
                        std::optional<int32_t> selector) {
  display::stop_point();
  DialogControl* control = find_control(dialog, control_id);
  if (control == nullptr || !selector_fits(*control, selector)) return kFalse;
  if (dialog.window != nullptr && !control->value_read) read_from_window(dialog, control);
  control->text = without_trailing_blanks(text);
  mark_changed(dialog, *control);
  return kTrue;
}

int32_t dialog_set_text_color(DialogRecord& dialog, int32_t control_id, std::optional<uint32_t> rgb) {
  display::stop_point();
  DialogControl* control = find_control(dialog, control_id);
  if (control == nullptr || control->kind != kKindStatic) return kFalse;
  // The text goes to the screen with the colour; it must be what the window shows now.
  if (dialog.window != nullptr && !control->value_read && !control->value_changed) {
    read_from_window(dialog, control);
  }
  control->color = rgb;
  mark_changed(dialog, *control);
  return kTrue;
}

int32_t dialog_get_text(DialogRecord& dialog, int32_t control_id, std::span<char> text,
                        std::optional<int32_t> selector) {
  display::stop_point();
  DialogControl* control = find_control(dialog, control_id);
  if (control == nullptr || !selector_fits(*control, selector)) return kFalse;
  if (dialog.window != nullptr && !control->value_changed) read_from_window(dialog, control);
  const size_t copied = std::min(text.size(), control->text.size());
  std::copy_n(control->text.begin(), copied, text.begin());
  std::fill(text.begin() + static_cast<std::ptrdiff_t>(copied), text.end(), ' ');
  return kTrue;
}

int32_t dialog_set_callback(DialogRecord& dialog, int32_t control_id, DialogRoutine routine,
                            std::optional<int32_t> callback_type) {
  display::stop_point();
  if (dialog.resource != nullptr && control_id == dialog.template_id &&
      find_control(dialog, control_id) == nullptr) {
    if (callback_type && *callback_type != kCallbackInit) return kFalse;
    dialog.dialog_routine = routine;
    return kTrue;
  }
  DialogControl* control = find_control(dialog, control_id);
  if (control == nullptr) return kFalse;
  if (control->kind == kKindEdit && (!callback_type || *callback_type == kCallbackChanged)) {
    control->changed = routine;
    return kTrue;
  }
  if (!kind_is_clickable(control->kind)) return kFalse;
  if (callback_type && *callback_type != kCallbackClicked) return kFalse;
  control->clicked = routine;
  return kTrue;
}

int32_t dialog_run_modal(DialogRecord& dialog) {
  display::stop_point();
  if (dialog.resource == nullptr || dialog.window != nullptr) return -1;
  auto session = std::make_shared<dialog::DialogSession>();
  std::vector<std::string> texts;
  texts.reserve(dialog.controls.size());
  for (const DialogControl& control : dialog.controls) texts.push_back(control.text);
  const std::shared_ptr<dialog::DialogSession> owner =
      g_running_dialog != nullptr ? g_running_dialog->window : nullptr;
  const bool shown = display::run_on_gui([&] {
    session->window = new dialog::DialogWindow(*dialog.resource->dialog, texts, session,
                                               owner != nullptr ? owner->window.data() : nullptr);
    for (size_t i = 0; i < dialog.controls.size(); ++i) {
      if (dialog.controls[i].color) session->window->set_control_color(i, dialog.controls[i].color);
    }
    session->window->show();
  });
  if (!shown) return -1;

  dialog.window = session;
  dialog.modal = true;
  dialog.changed = false;
  for (DialogControl& control : dialog.controls) {
    control.value_changed = false;
    control.value_read = false;
  }
  ModalScope scope(dialog);
  call_routine(dialog, dialog.dialog_routine, dialog.template_id, kCallbackInit);
  while (dialog.window == session) {
    display::stop_point();
    // Off the program thread a stop does not unwind: the dialog ends as if it could not be shown.
    if (display::stop_requested()) return -1;
    dialog::DialogEvent event;
    if (session->wait(event, kStopPollInterval)) dispatch(dialog, event);
  }
  return dialog.return_value;
}

void dialog_exit(DialogRecord& dialog) {
  display::stop_point();
  if (dialog.window == nullptr) return;
  const std::shared_ptr<dialog::DialogSession> session = dialog.window;
  if (dialog.modal) read_from_window(dialog, nullptr);
  destroy_window(session, true);
  dialog.window = nullptr;
}

void dialog_message_box(DialogRecord& dialog, std::string_view text) {
  display::stop_point();
  const std::string caption =
      dialog.resource != nullptr ? std::string(dialog.resource->dialog->header.caption) : std::string();
  display::show_message_box(
      {display::BoxIcon::kWarning, display::BoxButtons::kOk, caption, cp1251_to_utf8(text)});
}

DialogScreen dialog_screen(const DialogRecord& dialog) {
  display::stop_point();
  DialogScreen facts;
  const std::shared_ptr<dialog::DialogSession> session = dialog.window;
  display::run_on_gui([&] {
    const QWidget* shown = session != nullptr ? session->window.data() : nullptr;
    if (shown == nullptr) shown = display::frame_widget();
    const QScreen* screen = shown != nullptr ? shown->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    // The geometry counts in device-independent pixels: the scale factor gives the device's.
    const QSize pixels = screen->geometry().size() * screen->devicePixelRatio();
    facts.width_pixels = pixels.width();
    facts.height_pixels = pixels.height();
    facts.width_mm = screen->physicalSize().width();
    facts.height_mm = screen->physicalSize().height();
  });
  return facts;
}

std::optional<int32_t> dialog_ruler(DialogRecord& dialog, std::string_view instruction, double reference_mm,
                                    int32_t initial_pixels) {
  display::stop_point();
  std::optional<int32_t> length;
  const std::shared_ptr<dialog::DialogSession> session = dialog.window;
  display::run_on_gui([&] {
    QWidget* owner = session != nullptr ? session->window.data() : nullptr;
    if (owner == nullptr) owner = display::frame_widget();
    dialog::RulerWindow ruler(owner, QString::fromStdString(cp1251_to_utf8(instruction)), reference_mm,
                              initial_pixels);
    if (ruler.exec() == QDialog::Accepted) length = ruler.bar_pixels();
  });
  return length;
}

}  // namespace zorikan
