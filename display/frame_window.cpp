// The frame window.
#include "display/frame_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

namespace zorikan::display {

FrameWindow::FrameWindow() {
  child_area_ = new QMdiArea(this);
  child_area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  child_area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(child_area_);
  state_label_ = new QLabel(this);
  statusBar()->addWidget(state_label_);
  if (const std::string note = status_note(); !note.empty()) {
    statusBar()->addWidget(new QLabel(QString::fromStdString(note), this), 1);
  }
  show_run_state(run_state());
  menuBar()->setNativeMenuBar(false);
}

void FrameWindow::show_run_state(RunState state) {
  switch (state) {
    case RunState::kRunning:
      state_label_->setText("Running");
      break;
    case RunState::kPaused:
      state_label_->setText("Paused");
      break;
    case RunState::kFinished:
      state_label_->setText("Finished");
      break;
  }
}

void FrameWindow::set_client_size(int width, int height) {
  if (isMinimized() || isMaximized()) showNormal();
  const int menu_height = menuBar()->isVisible() ? menuBar()->sizeHint().height() : 0;
  const int status_height = statusBar()->isVisible() ? statusBar()->sizeHint().height() : 0;
  child_area_->setMinimumSize(width, height);
  child_area_->setMaximumSize(width, height);
  resize(width, height + menu_height + status_height);
  // The fixed size holds only while the layout settles; afterwards the user may resize the frame.
  adjustSize();
  child_area_->setMinimumSize(0, 0);
  child_area_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void FrameWindow::closeEvent(QCloseEvent* event) {
  emit closing();
  event->accept();
}

// The Pause key pauses and resumes the run: while Paused no mouse or menu routine of the program runs.
void FrameWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Pause && run_state() != RunState::kFinished) {
    set_run_state(run_state() == RunState::kPaused ? RunState::kRunning : RunState::kPaused);
    return;
  }
  QMainWindow::keyPressEvent(event);
}

}  // namespace zorikan::display
