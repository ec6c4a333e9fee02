// The parameter dialog on the real dialog, driven through real key and mouse events, with zorikan.vvd
// in a fresh working directory: the boxes it shows, what it reads back, the exact file it saves, the
// ways out of it, and saves that fail part-way.
#include "session/parameter_dialog.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "dialog/dialog_resources.h"
#include "display/display.h"
#include "session/saved_parameters.h"
#include "session/session_params.h"
#include "tests/support/dialog_robot.h"
#include "tests/support/display_harness.h"
#include "tests/support/temp_work_dir.h"

namespace zorikan {
namespace {

using testing::DialogRobot;

constexpr int kBoxIds[] = {1000, 1001, 1002, 1003, 1004};

// What one run of the program through the dialog left behind.
struct DialogRun {
  int exit_code = -1;
  bool returned = false;  // parameter_dialog returned: the program would go on to the start screen
  SessionParams params;
  std::vector<std::string> shown;  // the five boxes as the dialog first showed them (UTF-8)
  std::vector<std::string> reports;
};

// Runs parameter_dialog as the program does; `act` plays the user once the dialog is shown.
DialogRun run_dialog(const std::function<void(QDialog&)>& act) {
  DialogRun run;
  DialogRobot robot([&](QDialog& dialog) {
    for (int id : kBoxIds) run.shown.push_back(testing::edit_box(dialog, id)->text().toStdString());
    act(dialog);
    return true;
  });
  testing::RecordedBoxes boxes;
  run.exit_code = testing::run_display(
      [&] {
        set_exit_behaviour(2);
        parameter_dialog();
        run.returned = true;
        run.params = session_params;
        stop_program();
      },
      {}, &boxes);
  for (const auto& box : boxes.snapshot()) run.reports.push_back(box.text);
  return run;
}

void click_start(QDialog& dialog) {
  testing::click(testing::push_button(dialog, 1));
}

std::string lines(std::initializer_list<std::string_view> utf8_lines) {
  std::string bytes;
  for (std::string_view line : utf8_lines) bytes += utf8_to_cp1251(line) + "\r\n";
  return bytes;
}

const std::vector<std::string> kDefaultBoxes = {" 200.0", " 17.70", " 768", "1024", " 100"};

TEST(ParameterDialog, FirstRunShowsTheDefaultsAndStartWritesTheFiveLines) {
  testing::TempWorkDir dir;
  const DialogRun run = run_dialog(click_start);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_TRUE(run.returned);
  EXPECT_EQ(run.shown, kDefaultBoxes);
  EXPECT_EQ(dir.read("zorikan.vvd"),
            lines({"200.000  (дальность в сантиметрах)", " 17.700  (диагональ дисплея в дюймах)",
                   "    768  (разрешение экрана, пикселей по Y)",
                   "   1024  (разрешение экрана, пикселей по X)", "    100  (объем тренировки)"}));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "zorikan.vvd.tmp"));
  EXPECT_EQ(run.params.distance_cm, 200.0f);
  EXPECT_EQ(run.params.diagonal_inch, 17.7f);
  EXPECT_EQ(run.params.screen_ny, 768);
  EXPECT_EQ(run.params.screen_nx, 1024);
  EXPECT_EQ(run.params.training_volume, 100);
}

TEST(ParameterDialog, TypedNumbersHaveNoImpliedDecimalsButFileLinesDo) {
  testing::TempWorkDir dir;
  dir.write("zorikan.vvd", lines({"     65", "   1770", "    600", "    800", "     20"}));
  const DialogRun run = run_dialog([](QDialog& dialog) {
    testing::retype(testing::edit_box(dialog, 1002), "1050");
    testing::retype(testing::edit_box(dialog, 1000), "65");
    testing::press_key(dialog, Qt::Key_Return);  // from the box: the default button
  });
  EXPECT_TRUE(run.returned);
  EXPECT_EQ(run.shown, (std::vector<std::string>{"   0.1", "  1.77", " 600", " 800", "  20"}));
  EXPECT_EQ(run.params.distance_cm, 65.0f);
  EXPECT_FLOAT_EQ(run.params.diagonal_inch, 1.77f);
  EXPECT_EQ(run.params.screen_ny, 1050);
  EXPECT_EQ(run.params.screen_nx, 800);
  EXPECT_EQ(run.params.training_volume, 20);
  EXPECT_EQ(dir.read("zorikan.vvd"),
            lines({" 65.000  (дальность в сантиметрах)", "  1.770  (диагональ дисплея в дюймах)",
                   "   1050  (разрешение экрана, пикселей по Y)",
                   "    800  (разрешение экрана, пикселей по X)", "     20  (объем тренировки)"}));
}

TEST(ParameterDialog, DistanceOf1000ShowsInItsBoxButSavesAsAsterisksAndAShortFileKeepsDefaults) {
  testing::TempWorkDir dir;
  dir.write("zorikan.vvd", lines({"1000.00", " 20.000  (two lines only)"}));
  const DialogRun run = run_dialog(click_start);
  EXPECT_EQ(run.shown, (std::vector<std::string>{"1000.0", " 20.00", " 768", "1024", " 100"}));
  EXPECT_EQ(run.params.distance_cm, 1000.0f);
  EXPECT_EQ(dir.read("zorikan.vvd"),
            lines({"*******  (дальность в сантиметрах)", " 20.000  (диагональ дисплея в дюймах)",
                   "    768  (разрешение экрана, пикселей по Y)",
                   "   1024  (разрешение экрана, пикселей по X)", "    100  (объем тренировки)"}));
}

TEST(ParameterDialog, ReadingStopsAtTheFirstValueThatDoesNotRead) {
  testing::TempWorkDir dir;
  const std::string saved =
      lines({" 50.500  (дальность в сантиметрах)", "*******", "    600", "    800", "     20"});
  dir.write("zorikan.vvd", saved);
  const DialogRun run = run_dialog([](QDialog& dialog) { testing::press_key(dialog, Qt::Key_Escape); });
  EXPECT_EQ(run.shown, (std::vector<std::string>{"  50.5", " 17.70", " 768", "1024", " 100"}));
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_FALSE(run.returned) << "Esc takes the way of \"Выйти из программы\"";
  EXPECT_TRUE(run.reports.empty());
  EXPECT_EQ(dir.read("zorikan.vvd"), saved);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "zorikan.vvd.tmp"));
}

TEST(ParameterDialog, OnlyTheFirstTenCharactersOfABoxAreRead) {
  testing::TempWorkDir dir;
  const DialogRun run = run_dialog([](QDialog& dialog) {
    testing::retype(testing::edit_box(dialog, 1004), "000000012345");
    testing::retype(testing::edit_box(dialog, 1001), "17.7000000999");
    click_start(dialog);
  });
  EXPECT_TRUE(run.returned);
  EXPECT_EQ(run.params.training_volume, 123);
  EXPECT_EQ(run.params.diagonal_inch, 17.7f);
}

TEST(ParameterDialog, TheCloseBoxLeavesTheProgramWithoutCreatingTheFile) {
  testing::TempWorkDir dir;
  const DialogRun run = run_dialog([](QDialog& dialog) {
    testing::retype(testing::edit_box(dialog, 1000), "75");
    testing::press_close_box(dialog);
  });
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_FALSE(run.returned);
  EXPECT_TRUE(run.reports.empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "no file was created";
}

TEST(ParameterDialog, ADistanceThatIsNotANumberEndsTheProgramOnStart) {
  testing::TempWorkDir dir;
  const DialogRun run = run_dialog([](QDialog& dialog) {
    testing::retype(testing::edit_box(dialog, 1000), "65 см");
    click_start(dialog);
  });
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(run.returned);
  EXPECT_EQ(run.reports,
            std::vector<std::string>{
                "parameter dialog: the box \"Дальность до дисплея\" holds \"65 см\", which does not "
                "read as a real number"});
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "zorikan.vvd"));
}

TEST(ParameterDialog, ABoxThatIsNotANumberEndsTheProgramOnExitToo) {
  testing::TempWorkDir dir;
  // Asterisks shown for a volume too wide for its box stay in it when the user leaves.
  const std::string saved = lines({"200.000", " 17.700", "    768", "   1024", "  12345"});
  dir.write("zorikan.vvd", saved);
  const DialogRun run = run_dialog([](QDialog& dialog) { testing::click(testing::push_button(dialog, 2)); });
  EXPECT_EQ(run.shown.back(), "****");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.reports,
            std::vector<std::string>{
                "parameter dialog: the box \"Объем тренировки\" holds \"****\", which does not read as "
                "an integer"});
  EXPECT_EQ(dir.read("zorikan.vvd"), saved);
}

TEST(ParameterDialog, AMissingTemplateStopsTheProgramBeforeAnyFileIsTouched) {
  testing::TempWorkDir dir;
  const std::string saved = lines({"     65"});
  dir.write("zorikan.vvd", saved);
  use_dialog_resources({});
  const DialogRun run = run_dialog([](QDialog&) { ADD_FAILURE() << "no dialog can be shown"; });
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(run.returned);
  EXPECT_EQ(run.reports, std::vector<std::string>{"Диалог IDD_DIALOG1 не найден"});
  EXPECT_EQ(dir.read("zorikan.vvd"), saved);
}

const std::string kOldFile =
    lines({" 65.000  (дальность в сантиметрах)", " 21.000  (диагональ дисплея в дюймах)",
           "   1200  (разрешение экрана, пикселей по Y)", "   1600  (разрешение экрана, пикселей по X)",
           "     50  (объем тренировки)"});

TEST(ParameterDialog, ASaveThatCannotCreateItsTemporaryFileLeavesTheOldFile) {
  testing::TempWorkDir dir;
  dir.write("zorikan.vvd", kOldFile);
  std::filesystem::create_directory(dir.path() / "zorikan.vvd.tmp");
  const DialogRun run = run_dialog(click_start);
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(run.returned);
  ASSERT_EQ(run.reports.size(), 1u);
  EXPECT_EQ(run.reports[0], "zorikan.vvd.tmp: cannot open: Is a directory");
  EXPECT_EQ(dir.read("zorikan.vvd"), kOldFile);
}

TEST(ParameterDialog, ASaveThatRunsOutOfSpacePartWayLeavesTheOldFile) {
  testing::TempWorkDir dir;
  dir.write("zorikan.vvd", kOldFile);
  // Files of this process may not grow past 100 bytes: the third line of the new file does not fit.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit previous = limit;
  limit.rlim_cur = 100;
  setrlimit(RLIMIT_FSIZE, &limit);
  const DialogRun run = run_dialog(click_start);
  setrlimit(RLIMIT_FSIZE, &previous);
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(run.returned);
  ASSERT_EQ(run.reports.size(), 1u);
  EXPECT_EQ(run.reports[0], "zorikan.vvd.tmp: cannot write: File too large");
  EXPECT_EQ(dir.read("zorikan.vvd"), kOldFile);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "zorikan.vvd.tmp")) << "the half-written file is removed";
}

}  // namespace
}  // namespace zorikan
