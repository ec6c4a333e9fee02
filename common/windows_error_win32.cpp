// The system's words for a Windows error code; see windows_error.h.
#include "common/windows_error.h"

#include <windows.h>

namespace zorikan {
namespace {

// The message in `language`, without its line end; empty where the system has none in that language
// (a Windows installed without English answers ERROR_RESOURCE_LANG_NOT_FOUND).
std::wstring system_message(DWORD error, DWORD language) {
  wchar_t* message = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, language, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::wstring text(message != nullptr ? message : L"", length);
  LocalFree(message);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  return text;
}

std::string utf8_of(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

}  // namespace

std::string windows_error_text(unsigned long error) {
  std::wstring text = system_message(error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  if (text.empty()) text = system_message(error, 0);
  return utf8_of(text) + " (Windows error " + std::to_string(error) + ")";
}

}  // namespace zorikan
