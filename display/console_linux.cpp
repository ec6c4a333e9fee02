// Standard output and error on Linux, where a program has them from its start; see console.h.
#include "display/console.h"

namespace zorikan::display {

void attach_parent_console() {}

QByteArray console_text(const QString& text, std::FILE*) {
  return text.toLocal8Bit();
}

}  // namespace zorikan::display
