// Menu items of the frame's menu bar and the commands they carry.
//
// Items bound to program routines get command numbers from 1101 upwards in order of appending; the
// layer's built-in routines have fixed numbers (1018 shows the about box). Program routines run on the
// GUI thread, and only while the run state is Running.
#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <mutex>
#include <vector>

#include "common/cp1251.h"
#include "display/display.h"
#include "display/frame_state.h"
#include "display/frame_window.h"
#include "display/gui_thread.h"
#include "display/input_signal.h"
#include "display/message_boxes.h"
#include "display/stop_point.h"
#include "display/window_registry.h"

namespace zorikan::display {
namespace {

constexpr int kAboutCommand = 1018;
constexpr int kFirstRoutineCommand = 1101;
constexpr int kItemsPerColumn = 20;

constexpr int kFlagGrayed = 1;
constexpr int kFlagDisabled = 2;
constexpr int kFlagSeparator = 8;
constexpr int kFlagChecked = 16;

// Program routines by slot; the command number is 1101 + slot. Written on the GUI thread.
std::vector<MenuRoutine> g_routines;
// Each menu action with its command number, for invoke_menu_command.
std::vector<std::pair<QAction*, int>> g_actions;

int command_of(MenuRoutine routine) {
  if (routine == &show_about_box) return kAboutCommand;
  g_routines.push_back(routine);
  return kFirstRoutineCommand + static_cast<int>(g_routines.size()) - 1;
}

void run_command(int command, bool checked) {
  if (command == kAboutCommand) {
    int32_t check_state = checked ? 1 : 0;
    show_about_box(check_state);
    return;
  }
  const size_t slot = static_cast<size_t>(command - kFirstRoutineCommand);
  if (slot >= g_routines.size() || g_routines[slot] == nullptr) return;
  if (run_state() != RunState::kRunning) return;
  int32_t check_state = checked ? 1 : 0;
  MenuRoutine routine = g_routines[slot];
  run_program_routine([&] { routine(check_state); });
  signal_input();
}

// The item text: Windows-1251 in, with "&" put in front when it has no mnemonic of its own.
QString item_text(std::string_view text) {
  QString shown = QString::fromStdString(cp1251_to_utf8(text));
  if (!shown.contains('&')) shown.prepend('&');
  return shown;
}

void set_item_state(QAction* action, int flags) {
  action->setEnabled((flags & (kFlagGrayed | kFlagDisabled)) == 0);
  action->setSeparator((flags & kFlagSeparator) != 0);
  action->setCheckable((flags & kFlagChecked) != 0);
  action->setChecked((flags & kFlagChecked) != 0);
}

QAction* make_action(const QString& text, int flags, int command, QObject* parent) {
  auto* action = new QAction(text, parent);
  set_item_state(action, flags);
  QObject::connect(action, &QAction::triggered, action,
                   [command, action] { run_command(command, action->isChecked()); });
  g_actions.emplace_back(action, command);
  return action;
}

// Turns a top-level command item into a drop-down list of the same text and state; its own routine
// binding is dropped.
void make_drop_down(FrameWindow& frame, FrameWindow::MenuEntry& entry) {
  auto* menu = new QMenu(entry.action->text(), &frame);
  menu->setEnabled(entry.action->isEnabled());
  frame.menuBar()->insertMenu(entry.action, menu);
  frame.menuBar()->removeAction(entry.action);
  std::erase_if(g_actions, [&](const auto& pair) { return pair.first == entry.action; });
  entry.action->deleteLater();
  entry.action = menu->menuAction();
  entry.menu = menu;
}

bool append_on_gui(int32_t position, int32_t flags, std::string_view text, MenuRoutine routine) {
  FrameWindow* frame = frame_window();
  if (frame == nullptr || position < 1) return false;
  auto& entries = frame->menu_entries();
  const size_t index = static_cast<size_t>(position - 1);
  if (index > entries.size()) return false;
  const int command = command_of(routine);
  const QString shown = item_text(text);
  if (index == entries.size()) {
    QAction* action = make_action(shown, flags, command, frame);
    frame->menuBar()->addAction(action);
    entries.push_back({action, nullptr, 0});
  } else {
    auto& entry = entries[index];
    if (entry.menu == nullptr) make_drop_down(*frame, entry);
    // A list that already holds a multiple of 20 items starts a new column: a separator-free break is
    // not offered by every style, so the column is shown as a section start.
    if (entry.item_count > 1 && entry.item_count % kItemsPerColumn == 0) entry.menu->addSection(QString());
    entry.menu->addAction(make_action(shown, flags, command, entry.menu));
    ++entry.item_count;
  }
  frame->menuBar()->show();
  return true;
}

}  // namespace
}  // namespace zorikan::display

namespace zorikan {

int32_t append_menu_item(int32_t position, int32_t flags, std::string_view text, MenuRoutine routine) {
  display::stop_point();
  if (!display::is_gui_thread() && !display::active_window()) return 0;
  text = text.substr(0, text.find('\0'));
  bool appended = false;
  display::run_on_gui([&] { appended = display::append_on_gui(position, flags, text, routine); });
  return appended ? 1 : 0;
}

int32_t invoke_menu_command(int32_t command) {
  display::stop_point();
  int32_t result = 0;
  display::run_on_gui([&] {
    display::FrameWindow* frame = display::frame_window();
    if (frame == nullptr) {
      result = -1;
      return;
    }
    switch (command) {
      case 1:
        frame->statusBar()->setVisible(!frame->statusBar()->isVisible());
        break;
      case 2:
        frame->child_area()->tileSubWindows();
        break;
      case 3:
        frame->child_area()->cascadeSubWindows();
        break;
      case 4:
        break;  // minimised child windows already line up along the bottom of the area
      default:
        result = -1;
        break;
    }
  });
  return result;
}

int32_t invoke_menu_command(MenuRoutine routine) {
  display::stop_point();
  int32_t result = -1;
  display::run_on_gui([&] {
    const int about = routine == &show_about_box ? display::kAboutCommand : 0;
    for (const auto& [action, command] : display::g_actions) {
      const size_t slot = static_cast<size_t>(command - display::kFirstRoutineCommand);
      const bool bound =
          command == about || (slot < display::g_routines.size() && display::g_routines[slot] == routine);
      if (!bound) continue;
      QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
      result = 0;
      return;
    }
  });
  if (result != 0) display::report_layer_error("Internal Error - no menu item is bound to the routine");
  return result;
}

void show_about_box(int32_t& /*checked*/) {
  std::string text = display::about_text();
  // Paragraphs of the about text are separated by carriage returns alone.
  for (char& c : text) {
    if (c == '\r') c = '\n';
  }
  display::show_message_box({display::BoxIcon::kInformation, display::BoxButtons::kOk, display::frame_title(),
                             cp1251_to_utf8(text)});
}

}  // namespace zorikan
