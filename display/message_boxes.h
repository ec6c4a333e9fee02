// The layer's message boxes: about text, exit question, fatal reports and layer errors.
//
// A box waits for a person. Tests install a responder that answers every box at once (and records it),
// so that no test can hang on a box nobody sees.
#pragma once

#include <functional>
#include <string>

namespace zorikan::display {

enum class BoxIcon { kInformation, kWarning, kError };
enum class BoxButtons { kOk, kYesNo };
enum class BoxAnswer { kOk, kYes, kNo };

struct MessageBoxRequest {
  BoxIcon icon = BoxIcon::kInformation;
  BoxButtons buttons = BoxButtons::kOk;
  std::string caption;  // UTF-8
  std::string text;     // UTF-8
};

// Shows a task-modal box on the GUI thread (from either thread) and returns the answer. With the
// buttons Yes/No, No is the default; a box that cannot be shown answers No (or Ok).
BoxAnswer show_message_box(const MessageBoxRequest& request);

// A responder answers boxes instead of showing them; null shows them again. Called on the GUI thread.
using MessageBoxResponder = std::function<BoxAnswer(const MessageBoxRequest&)>;
void set_message_box_responder(MessageBoxResponder responder);

// Reports an error of the layer itself ("Out of Memory", "Internal Error - unexpected error") in an
// error box; the run goes on once it is confirmed.
void report_layer_error(const std::string& text);

}  // namespace zorikan::display
