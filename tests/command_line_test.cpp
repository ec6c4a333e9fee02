// The real program's command line, answered in a terminal without a display: --version tells the
// project's version; --ring-table prints the table of the saved parameters of the folder it is given, of
// the defaults while the default folder does not exist yet, and refuses a folder named by --data-dir that
// is not there; an unknown option is refused. None of them creates a folder.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/temp_work_dir.h"
#include "tests/support/xvfb_server.h"

namespace zorikan::testing {
namespace {

struct ProgramRun {
  int exit_code = -1;
  std::string output;  // standard output and standard error
};

// The program with `arguments` (shell words), HOME `home`, no display and no platform chosen: a start
// that asked for the window system would end in Qt's abort, not with the answer.
ProgramRun run_program(const std::string& arguments, const std::filesystem::path& home) {
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_DATA_HOME HOME='" +
                              home.string() + "' '" + program_beside_tests("zorikan").string() + "' " +
                              arguments + " 2>&1";
  ProgramRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> chunk;
  while (const size_t read = std::fread(chunk.data(), 1, chunk.size(), pipe))
    run.output.append(chunk.data(), read);
  const int status = pclose(pipe);
  if (WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
  return run;
}

TEST(CommandLine, VersionAndRingTableAnswerWithoutADisplayAndCreateNoFolder) {
  TempWorkDir dir;
  const std::filesystem::path home = dir.path() / "home";
  const std::filesystem::path saved = dir.path() / "saved";
  const std::filesystem::path missing = dir.path() / "missing";
  std::filesystem::create_directory(home);
  std::filesystem::create_directory(saved);
  dir.write("saved/zorikan.vvd", " 60.000\r\n 15.600\r\n   1080\r\n   1920\r\n    100\r\n");

  struct Case {
    std::string arguments;
    int exit_code;
    std::string wanted;  // a piece of the output
    std::string unwanted;
  };
  const Case cases[] = {
      {"--version", 0, "zorikan " ZORIKAN_VERSION "\n", "Gap rings"},
      {"--ring-table --data-dir '" + saved.string() + "'", 0, "Gap rings at 60.0 cm, 15.6\", 1920 x 1080",
       ""},
      {"--ring-table", 0, "Gap rings at 200.0 cm, 17.7\", 1024 x 768", ""},
      {"--ring-table --data-dir '" + missing.string() + "'", 1,
       "zorikan: the data folder " + missing.string() + " does not exist\n", "Gap rings"},
      {"--ring-table --colour", 1, "Unknown option 'colour'", "Gap rings"},
  };
  for (const Case& c : cases) {
    const ProgramRun run = run_program(c.arguments, home);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.arguments << "\n" << run.output;
    EXPECT_NE(run.output.find(c.wanted), std::string::npos) << c.arguments << "\n" << run.output;
    if (!c.unwanted.empty()) {
      EXPECT_EQ(run.output.find(c.unwanted), std::string::npos) << c.arguments << "\n" << run.output;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_FALSE(std::filesystem::exists(home / ".local")) << "the default data folder was created";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(saved), {}), 1) << "only zorikan.vvd";
}

}  // namespace
}  // namespace zorikan::testing
