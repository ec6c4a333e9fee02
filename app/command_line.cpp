// The command line; see command_line.h. Qt's parser reads it, so that the options, the help and the
// reports of a wrong option are those of every Qt program.
#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "app/saved_ring_table.h"
#include "display/console.h"
#include "display/data_folder.h"

namespace zorikan {
namespace {

void describe_program() {
  QCoreApplication::setApplicationName(QStringLiteral("zorikan"));
  QCoreApplication::setApplicationVersion(QStringLiteral(ZORIKAN_VERSION));
}

QCommandLineOption data_dir_option() {
  return QCommandLineOption(
      QStringLiteral("data-dir"),
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

// Whether one of `options` stands among the arguments as it is written.
bool given(int argc, char** argv, std::initializer_list<const char*> options) {
  for (int i = 1; i < argc; ++i) {
    for (const char* option : options) {
      if (std::strcmp(argv[i], option) == 0) return true;
    }
  }
  return false;
}

// Prints `text` on `stream` and ends the process with `code`, as Qt's parser does on Linux. On Windows its
// parser would show a windowed program's help in a message box, so the program prints it itself there too.
[[noreturn]] void print_and_end(std::FILE* stream, const QString& text, int code) {
  std::fputs(display::console_text(text, stream).constData(), stream);
  std::fflush(stream);
  std::exit(code);
}

}  // namespace

CommandLine read_command_line() {
  describe_program();
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("ZORIKAN eye trainer."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(data_dir_option());
  parser.addOption(ring_table_option());
  const QString name = QCoreApplication::applicationName();
  if (!parser.parse(QCoreApplication::arguments())) {
    print_and_end(stderr, name + ": " + parser.errorText() + "\n", 1);
  }
  // Qt's own help text, which adds its options, is only Qt's parser's to print.
  if (parser.isSet(QStringLiteral("help-all"))) parser.process(*QCoreApplication::instance());
  if (parser.isSet(QStringLiteral("version"))) {
    print_and_end(stdout, name + ' ' + QCoreApplication::applicationVersion() + '\n', 0);
  }
  if (parser.isSet(QStringLiteral("help"))) print_and_end(stdout, parser.helpText(), 0);
  CommandLine line;
  if (parser.isSet(QStringLiteral("data-dir"))) {
    line.data_dir = parser.value(QStringLiteral("data-dir")).toStdString();
  }
  return line;
}

std::optional<int> answer_information_options(int argc, char** argv) {
  if (!given(argc, argv, {"-h", "--help", "--help-all", "-v", "--version"})) return std::nullopt;
  QCoreApplication application(argc, argv);
  read_command_line();  // prints the help or the version and ends the process
  return 0;
}

std::optional<int> answer_ring_table(int argc, char** argv) {
  if (!given(argc, argv, {"--ring-table"})) return std::nullopt;
  QCoreApplication application(argc, argv);
  const CommandLine line = read_command_line();
  const std::string folder = display::data_folder_path(line.data_dir);
  switch (display::enter_existing_folder(folder)) {
    case display::FolderEntry::kEntered:
      return print_saved_ring_table(true);
    case display::FolderEntry::kMissing:
      // The default folder appears with the first start; a folder named on the command line that is not
      // there is mistyped or not mounted, and a table of the defaults would pass for the user's own.
      if (!line.data_dir) return print_saved_ring_table(false);
      std::fprintf(stderr, "zorikan: the data folder %s does not exist\n", folder.c_str());
      return 1;
    case display::FolderEntry::kRefused:
      break;
  }
  return 1;
}

}  // namespace zorikan
