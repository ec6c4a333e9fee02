// The frame window: menu bar, a status bar showing the run state, and the area of child windows.
#pragma once

#include <QMainWindow>

#include <vector>

#include "display/frame_state.h"

class QLabel;
class QMdiArea;
class QMenu;
class QAction;

namespace zorikan::display {

class FrameWindow : public QMainWindow {
  Q_OBJECT

 public:
  FrameWindow();

  QMdiArea* child_area() const { return child_area_; }
  void show_run_state(RunState state);

  // Top-level menu bar entries in order: a command item (menu null) or a drop-down list.
  struct MenuEntry {
    QAction* action = nullptr;  // the entry in the menu bar
    QMenu* menu = nullptr;      // its drop-down list, or null for a command item
    int item_count = 0;         // items in the drop-down list
  };
  std::vector<MenuEntry>& menu_entries() { return menu_entries_; }

  // Sizes the frame so that the area of child windows is exactly width x height pixels.
  void set_client_size(int width, int height);

 signals:
  void closing();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QMdiArea* child_area_ = nullptr;
  QLabel* state_label_ = nullptr;
  std::vector<MenuEntry> menu_entries_;
};

}  // namespace zorikan::display
