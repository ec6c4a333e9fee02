// The data folder; see data_folder.h.
#include "display/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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
  std::fprintf(stderr, "zorikan: %s\n", what.toLocal8Bit().constData());
  QMessageBox::critical(nullptr, QStringLiteral("zorikan"), what);
  return 1;
}

// One program per data folder: an exclusive lock on the folder itself (the working directory), held
// for the life of the process. The system drops it when the process ends, however it ends, so a program
// that crashed or was killed never blocks the next start, and nothing is written into the folder for it.
// False only when another process holds it; a folder that cannot be locked at all is used unguarded.
bool lock_data_folder() {
  const int folder = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return true;
  if (::flock(folder, LOCK_EX | LOCK_NB) == 0) return true;  // the descriptor stays open: it is the lock
  const bool held_elsewhere = errno == EWOULDBLOCK;
  ::close(folder);
  return !held_elsewhere;
}

// A second start on the same folder would sweep and beep beside the first and write the same files:
// it says so and ends, successfully, since the trainer the user asked for is there.
int tell_already_running(const QString& folder) {
  const QString text =
      QStringLiteral("Тренажёр ZORIKAN уже запущен с папкой данных\n%1.\nВторой экземпляр не запускается.")
          .arg(folder);
  std::fprintf(stderr, "zorikan: already running with the data folder %s\n",
               folder.toLocal8Bit().constData());
  QMessageBox::information(nullptr, QStringLiteral("ZORIKAN уже запущен"), text);
  return 0;
}

}  // namespace

std::string data_folder_path(const std::optional<std::string>& chosen) {
  if (chosen) return QDir::cleanPath(QString::fromStdString(*chosen)).toStdString();
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return QDir::cleanPath(base + QStringLiteral("/zorikan")).toStdString();
}

FolderEntry enter_existing_folder(const std::string& path) {
  const QString folder = QString::fromStdString(path);
  if (!QFileInfo(folder).isDir()) return FolderEntry::kMissing;
  if (QDir::setCurrent(folder)) return FolderEntry::kEntered;
  std::fprintf(stderr, "zorikan: cannot enter the data folder %s: %s\n", folder.toLocal8Bit().constData(),
               system_reason().toLocal8Bit().constData());
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
  if (!lock_data_folder()) return tell_already_running(folder);
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
