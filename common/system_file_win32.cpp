// The program's files on Windows: stdio streams in binary mode over wide-character (UTF-16) paths, so a
// data folder under a user name in Cyrillic letters works; see system_file.h.
#include "common/system_file.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "common/windows_error.h"

namespace zorikan {
namespace {

std::wstring wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), length);
  return text;
}

// The runtime's descriptor flags and stream mode for each open mode; binary throughout, so CR LF is
// written once and read as it stands.
std::FILE* open_descriptor(const std::wstring& name, int flags, const wchar_t* stream_mode) {
  const int descriptor =
      _wsopen(name.c_str(), flags | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, _S_IREAD | _S_IWRITE);
  if (descriptor < 0) return nullptr;
  std::FILE* file = _wfdopen(descriptor, stream_mode);
  if (file == nullptr) _close(descriptor);
  return file;
}

}  // namespace

std::FILE* open_system_file(const std::string& name, SystemOpenMode mode) {
  const std::wstring path = wide(name);
  switch (mode) {
    case SystemOpenMode::kCreateNew:
      return open_descriptor(path, _O_RDWR | _O_CREAT | _O_EXCL, L"w+b");
    case SystemOpenMode::kReadWrite:
      return open_descriptor(path, _O_RDWR, L"r+b");
    case SystemOpenMode::kReadOnly:
      return open_descriptor(path, _O_RDONLY, L"rb");
    case SystemOpenMode::kCreateOrTruncate:
      return open_descriptor(path, _O_RDWR | _O_CREAT | _O_TRUNC, L"w+b");
  }
  errno = EINVAL;
  return nullptr;
}

bool cut_system_file(std::FILE* file, long length) {
  const int error = _chsize_s(_fileno(file), length);
  if (error != 0) errno = error;
  return error == 0;
}

// The runtime empties a stream's buffer after a flush whether or not the bytes could be written; the
// error that flush reports is the failed write's, already returned to the caller.
void drop_unwritten_bytes(std::FILE* file) {
  std::fflush(file);
  std::clearerr(file);
}

int read_byte(std::FILE* file) {
  return _getc_nolock(file);
}

bool sync_system_file(std::FILE* file) {
  return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

std::string replace_file_durably(const std::string& replacement, const std::string& target) {
  const std::wstring source = wide(replacement);
  // Best effort, as on every system: a file that cannot be flushed still gets the move.
  const HANDLE handle = CreateFileW(source.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    FlushFileBuffers(handle);
    CloseHandle(handle);
  }
  if (!MoveFileExW(source.c_str(), wide(target).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return windows_error_text(GetLastError());
  }
  return {};
}

}  // namespace zorikan
