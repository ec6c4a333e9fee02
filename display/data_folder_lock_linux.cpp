// The data-folder lock on Linux: a POSIX record lock (fcntl F_SETLK) over the whole of zorikan.lock; see
// data_folder_lock.h.
//
// Network file systems (NFS, SMB) pass record locks on to their server, and an exclusive one needs a
// descriptor open for writing, which a folder's descriptor never is. A record lock belongs to the
// process: a child the program forks does not inherit it, and O_CLOEXEC closes the descriptor in a
// program it starts, so only this process holds the folder, until it ends. The system drops a process's
// record locks on a file when the process closes any descriptor of that file; the program opens
// zorikan.lock nowhere else.
#include "display/data_folder_lock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace zorikan::display {

FolderLock lock_data_folder() {
  const int file = ::open(kDataFolderLockFileName, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (file < 0) {
    return {FolderLockOutcome::kUnavailable,
            std::string("cannot open ") + kDataFolderLockFileName + " for writing: " + std::strerror(errno)};
  }
  struct flock whole = {};
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;  // l_start 0 and l_len 0: from the first byte to any length the file has
  int result = -1;
  if (std::getenv(kRefuseFolderLockVariable) != nullptr) {
    errno = ENOLCK;  // what an NFS mount without its lock service answers
  } else {
    result = ::fcntl(file, F_SETLK, &whole);
  }
  if (result == 0) return {FolderLockOutcome::kHeld, {}};  // the descriptor stays open: it holds the lock
  const int error = errno;
  ::close(file);
  if (error == EACCES || error == EAGAIN) return {FolderLockOutcome::kHeldElsewhere, {}};
  return {FolderLockOutcome::kUnavailable,
          std::string("cannot lock ") + kDataFolderLockFileName + ": " + std::strerror(error)};
}

}  // namespace zorikan::display
