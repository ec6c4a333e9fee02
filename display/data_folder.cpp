// The data folder and the command line; see data_folder.h.
#include "display/data_folder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "display/console.h"
#include "display/data_folder_lock.h"
#include "display/frame_state.h"
#include "display/user_data_home.h"

namespace zorikan::display {
namespace {

constexpr const char* kGlyphFileName = "zorikan.sym";

void describe_program() {
  QCoreApplication::setApplicationName(QStringLiteral("zorikan"));
  QCoreApplication::setApplicationVersion(QStringLiteral(ZORIKAN_VERSION));
}

QCommandLineOption data_dir_option() {
  return QCommandLineOption(QStringLiteral("data-dir"),
                            QStringLiteral("Keep zorikan.sym, zorikan.vvd and zorikan.rtr in <dir> instead of "
                                           "$XDG_DATA_HOME/zorikan (~/.local/share/zorikan)."),
                            QStringLiteral("dir"));
}

QCommandLineOption ring_table_option() {
  return QCommandLineOption(
      QStringLiteral("ring-table"),
      QStringLiteral("Print, for the saved parameters (the defaults when none are saved), the gap and the "
                     "black area of the vision check's ring at each level, asked and measured back from the "
                     "drawn pixels, and end. Needs no display."));
}

void set_up(QCommandLineParser& parser) {
  parser.setApplicationDescription(QStringLiteral("ZORIKAN eye trainer."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(data_dir_option());
  parser.addOption(ring_table_option());
}

bool given(int argc, char** argv, std::initializer_list<const char*> options) {
  for (int i = 1; i < argc; ++i) {
    for (const char* option : options) {
      if (std::strcmp(argv[i], option) == 0) return true;
    }
  }
  return false;
}

// The shipped glyph file: beside an installed program in ../share/zorikan, else in the source tree.
QString shipped_glyph_file() {
  const QStringList candidates = {
      QCoreApplication::applicationDirPath() + QStringLiteral("/" ZORIKAN_BIN_TO_DATA "/") + kGlyphFileName,
      QStringLiteral(ZORIKAN_SOURCE_DATA_DIR "/") + kGlyphFileName,
  };
  for (const QString& candidate : candidates) {
    if (QFileInfo(candidate).isFile()) return candidate;
  }
  return {};
}

// --data-dir DIR, else zorikan in the user's data home (~/.local/share/zorikan, %APPDATA%\zorikan).
QString chosen_data_folder(const QCommandLineParser& parser) {
  if (parser.isSet(QStringLiteral("data-dir"))) return QDir::cleanPath(parser.value(QStringLiteral("data-dir")));
  return QDir::cleanPath(user_data_home() + QStringLiteral("/zorikan"));
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

std::optional<int> answer_information_options(int argc, char** argv) {
  if (!given(argc, argv, {"-h", "--help", "--help-all", "-v", "--version"})) return std::nullopt;
  QCoreApplication application(argc, argv);
  describe_program();
  QCommandLineParser parser;
  set_up(parser);
  parser.process(application);  // prints the help or the version and ends the process
  return 0;
}

std::optional<int> answer_ring_table(int argc, char** argv, int (*print_table)(bool in_data_folder)) {
  if (!given(argc, argv, {"--ring-table"})) return std::nullopt;
  QCoreApplication application(argc, argv);
  describe_program();
  QCommandLineParser parser;
  set_up(parser);
  parser.process(application);  // an unknown option ends the process with its report
  const QString folder = chosen_data_folder(parser);
  if (!QFileInfo(folder).isDir()) return print_table(false);
  if (!QDir::setCurrent(folder)) {
    std::fprintf(stderr, "zorikan: cannot enter the data folder %s: %s\n",
                 console_text(folder, stderr).constData(), console_text(system_reason(), stderr).constData());
    return 1;
  }
  return print_table(true);
}

std::optional<int> enter_data_folder() {
  describe_program();
  QCommandLineParser parser;
  set_up(parser);
  parser.process(*QCoreApplication::instance());  // an unknown option ends the process with its report
  const QString folder = chosen_data_folder(parser);

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
  const QFileInfo placed(QStringLiteral("./") + kGlyphFileName);
  if (!placed.exists() && !placed.isSymLink()) {
    const QString shipped = shipped_glyph_file();
    if (!shipped.isEmpty() && QFile::copy(shipped, placed.filePath())) {
      QFile::setPermissions(placed.filePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
  }
  return std::nullopt;
}

}  // namespace zorikan::display
