// One trainer per data folder: a lock on the file zorikan.lock in the folder, held for the life of the
// process.
//
// The file is opened for writing, because network file systems (NFS, SMB) grant an exclusive lock only on
// a descriptor open for writing. It is created empty on the first start and then left in place: its being
// there means nothing, only the lock the system holds on it does, and the system drops that lock when the
// process ends, however it ends. So the file never needs removing by hand, and a program that crashed or
// was killed never blocks the next start.
//
// One realisation per platform, chosen by CMake: data_folder_lock_linux.cpp, data_folder_lock_win32.cpp.
#pragma once

#include <string>

namespace zorikan::display {

inline constexpr const char* kDataFolderLockFileName = "zorikan.lock";

// Set in a process's environment (to any value), it makes the lock call fail as on a file system that
// has no locks, so that a test can show what the program does then. Nothing else reads it.
inline constexpr const char* kRefuseFolderLockVariable = "ZORIKAN_TEST_REFUSE_FOLDER_LOCK";

enum class FolderLockOutcome {
  kHeld,           // this process holds the folder until it ends
  kHeldElsewhere,  // another process holds it
  kUnavailable,    // no lock can be had: the file cannot be opened for writing, or the lock is refused
};

struct FolderLock {
  FolderLockOutcome outcome = FolderLockOutcome::kUnavailable;
  std::string reason;  // kUnavailable: what failed and the system's words for it (UTF-8)
};

// Locks the working directory (the data folder) for this process. Call once, after entering the folder.
FolderLock lock_data_folder();

}  // namespace zorikan::display
