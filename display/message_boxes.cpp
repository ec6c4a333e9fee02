// Message boxes on the GUI thread, or answered by a test's responder.
#include "display/message_boxes.h"

#include <QApplication>
#include <QMessageBox>

#include <mutex>

#include "display/frame_state.h"
#include "display/gui_thread.h"

namespace zorikan::display {
namespace {

std::mutex g_responder_lock;
MessageBoxResponder g_responder;

BoxAnswer show_on_gui(const MessageBoxRequest& request) {
  MessageBoxResponder responder;
  {
    std::lock_guard guard(g_responder_lock);
    responder = g_responder;
  }
  if (responder) return responder(request);

  QMessageBox box(QApplication::activeWindow() ? QApplication::activeWindow() : frame_widget());
  box.setWindowModality(Qt::ApplicationModal);
  box.setWindowTitle(QString::fromStdString(request.caption));
  box.setText(QString::fromStdString(request.text));
  switch (request.icon) {
    case BoxIcon::kInformation:
      box.setIcon(QMessageBox::Information);
      break;
    case BoxIcon::kWarning:
      box.setIcon(QMessageBox::Warning);
      break;
    case BoxIcon::kError:
      box.setIcon(QMessageBox::Critical);
      break;
  }
  if (request.buttons == BoxButtons::kYesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? BoxAnswer::kYes : BoxAnswer::kNo;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return BoxAnswer::kOk;
}

}  // namespace

BoxAnswer show_message_box(const MessageBoxRequest& request) {
  BoxAnswer answer = request.buttons == BoxButtons::kYesNo ? BoxAnswer::kNo : BoxAnswer::kOk;
  run_on_gui([&] { answer = show_on_gui(request); });
  return answer;
}

void set_message_box_responder(MessageBoxResponder responder) {
  std::lock_guard guard(g_responder_lock);
  g_responder = std::move(responder);
}

void report_layer_error(const std::string& text) {
  show_message_box({BoxIcon::kError, BoxButtons::kOk, frame_title(), text});
}

}  // namespace zorikan::display
