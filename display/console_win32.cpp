// The console of a windowed Windows program; see console.h.
#include "display/console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace zorikan::display {
namespace {

bool has_handle(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// A windowed program's runtime may leave a standard stream unconnected even where the process was given a
// handle for it (a pipe or a file): the stream is then pointed at that handle.
void connect_stream(DWORD which, std::FILE* stream) {
  const HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  if (_fileno(stream) >= 0 && _get_osfhandle(_fileno(stream)) == reinterpret_cast<intptr_t>(handle)) return;
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
  if (descriptor < 0) return;
  if (std::freopen("NUL", "w", stream) != nullptr) _dup2(descriptor, _fileno(stream));
}

}  // namespace

// Handles redirected to a file or a pipe (or set up by Wine) are kept; only missing ones are taken from
// the parent's console. Where the program can write to either, Qt's command-line parser prints --help and
// --version there instead of showing them in a message box.
void attach_parent_console() {
  if (!has_handle(STD_OUTPUT_HANDLE) || !has_handle(STD_ERROR_HANDLE)) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (!has_handle(STD_OUTPUT_HANDLE) || _fileno(stdout) < 0) std::freopen("CONOUT$", "w", stdout);
    if (!has_handle(STD_ERROR_HANDLE) || _fileno(stderr) < 0) std::freopen("CONOUT$", "w", stderr);
  }
  connect_stream(STD_OUTPUT_HANDLE, stdout);
  connect_stream(STD_ERROR_HANDLE, stderr);
  qputenv("QT_COMMAND_LINE_PARSER_NO_GUI_MESSAGE_BOXES", "1");
}

QByteArray console_text(const QString& text, std::FILE* stream) {
  DWORD mode = 0;
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return text.toLocal8Bit();
  const std::wstring wide = text.toStdWString();
  const UINT code_page = GetConsoleOutputCP();
  const int length = WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
  QByteArray bytes(length, '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), length, nullptr,
                      nullptr);
  return bytes;
}

}  // namespace zorikan::display
