// The data-folder lock on Windows: LockFileEx over the whole of zorikan.lock, opened for reading and
// writing; see data_folder_lock.h.
//
// The handle is not inherited by programs the trainer might start, so only this process holds the lock.
// Windows drops a process's locks when the process ends, however it ends; until then a second start
// finds the range locked (ERROR_LOCK_VIOLATION).
#include "display/data_folder_lock.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "common/windows_error.h"

namespace zorikan::display {

FolderLock lock_data_folder() {
  const std::wstring name(kDataFolderLockFileName,
                          kDataFolderLockFileName + std::char_traits<char>::length(kDataFolderLockFileName));
  const HANDLE file =
      CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return {FolderLockOutcome::kUnavailable, std::string("cannot open ") + kDataFolderLockFileName +
                                                 " for writing: " + windows_error_text(GetLastError())};
  }
  OVERLAPPED whole{};                 // from offset 0 over the largest range there is
  DWORD error = ERROR_NOT_SUPPORTED;  // what a file system without locks answers
  if (std::getenv(kRefuseFolderLockVariable) == nullptr) {
    error =
        LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole)
            ? ERROR_SUCCESS
            : GetLastError();
  }
  if (error == ERROR_SUCCESS)
    return {FolderLockOutcome::kHeld, {}};  // the handle stays open: it holds the lock
  CloseHandle(file);
  if (error == ERROR_LOCK_VIOLATION || error == ERROR_SHARING_VIOLATION)
    return {FolderLockOutcome::kHeldElsewhere, {}};
  return {FolderLockOutcome::kUnavailable,
          std::string("cannot lock ") + kDataFolderLockFileName + ": " + windows_error_text(error)};
}

}  // namespace zorikan::display
