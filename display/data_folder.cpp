// The data folder; see data_folder.h.
#include "display/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "display/console.h"
#include "display/data_folder_lock.h"
#include "display/frame_state.h"
#include "display/user_data_home.h"

namespace zorikan::display {
namespace {

// The shipped glyph file: beside an installed program in ../share/zorikan, else in the source tree.
QString shipped_glyph_file(const QString& name) {
  const QStringList candidates = {
      QCoreApplication::applicationDirPath() + QStringLiteral("/" ZORIKAN_BIN_TO_DATA "/") + name,
      QStringLiteral(ZORIKAN_SOURCE_DATA_DIR "/") + name,
  };
  for (const QString& candidate : candidates) {
    if (QFileInfo(candidate).isFile()) return candidate;
  }
  return {};
}

QString system_reason() {
  return QString::fromLocal8Bit(std::strerror(errno));
}

int refuse(const QString& what) {
  std::fprintf(stderr, "zorikan: %s\n", console_text(what, stderr).constData());
  QMessageBox::critical(nullptr, QStringLiteral("zorikan"), what);
  return 1;
}

// A second start on the same folder would sweep and beep beside the first and write the same files:
// it says so and ends, successfully, since the trainer the user asked for is there.
int tell_already_running(const QString& folder) {
  const QString text =
      QStringLiteral("Тренажёр ZORIKAN уже запущен с папкой данных\n%1.\nВторой экземпляр не запускается.")
          .arg(folder);
  std::fprintf(stderr, "zorikan: already running with the data folder %s\n",
               console_text(folder, stderr).constData());
  QMessageBox::information(nullptr, QStringLiteral("ZORIKAN уже запущен"), text);
  return 0;
}

// A folder that cannot be locked at all (a file system without locks, no right to create the lock file)
// is used unguarded: the trainer runs, and says so once. The status bar leaves out the folder, which
// would push the rest of the line out of a 1024-pixel frame.
void tell_unguarded(const QString& folder, const std::string& reason) {
  const std::string said = " (" + reason + "): a second ZORIKAN on it is not held off";
  std::fprintf(stderr, "zorikan: no lock on the data folder %s%s\n", console_text(folder, stderr).constData(),
               console_text(QString::fromStdString(said), stderr).constData());
  set_status_note("Папка данных без блокировки (" + reason + "): второй ZORIKAN на ней не будет остановлен");
}

}  // namespace

std::string data_folder_path(const std::optional<std::string>& chosen) {
  if (chosen) return QDir::cleanPath(QString::fromStdString(*chosen)).toStdString();
  return QDir::cleanPath(user_data_home() + QStringLiteral("/zorikan")).toStdString();
}

FolderEntry enter_existing_folder(const std::string& path) {
  const QString folder = QString::fromStdString(path);
  if (!QFileInfo(folder).isDir()) return FolderEntry::kMissing;
  if (QDir::setCurrent(folder)) return FolderEntry::kEntered;
  std::fprintf(stderr, "zorikan: cannot enter the data folder %s: %s\n", console_text(folder, stderr).constData(),
               console_text(system_reason(), stderr).constData());
  return FolderEntry::kRefused;
}

std::optional<int> enter_data_folder(const std::string& path, std::string_view glyph_file_name) {
  const QString folder = QString::fromStdString(path);
  const QString glyph_file = QString::fromUtf8(glyph_file_name.data(), glyph_file_name.size());

  if (!QDir().mkpath(folder)) {
    return refuse(QStringLiteral("cannot create the data folder %1: %2").arg(folder, system_reason()));
  }
  if (!QDir::setCurrent(folder)) {
    return refuse(QStringLiteral("cannot enter the data folder %1: %2").arg(folder, system_reason()));
  }
  const FolderLock lock = lock_data_folder();
  if (lock.outcome == FolderLockOutcome::kHeldElsewhere) return tell_already_running(folder);
  if (lock.outcome == FolderLockOutcome::kUnavailable) tell_unguarded(folder, lock.reason);
  // A dangling link counts as the user's file too: it is reported when the program reads it.
  const QFileInfo placed(QStringLiteral("./") + glyph_file);
  if (!placed.exists() && !placed.isSymLink()) {
    const QString shipped = shipped_glyph_file(glyph_file);
    if (!shipped.isEmpty() && QFile::copy(shipped, placed.filePath())) {
      QFile::setPermissions(placed.filePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
  }
  return std::nullopt;
}

}  // namespace zorikan::display
