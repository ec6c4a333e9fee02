// The parameter dialog on the real dialog, driven through real key and mouse events, with zorikan.vvd
// in a fresh working directory: the boxes it shows, what it reads back, the exact file it saves, the
// ways out of it, the set-up line as the user types and the card ruler. The offscreen screen is 1280 x
// 1024. Saves that fail part-way are tested in parameter_dialog_failing_save_test.cpp.
#include "session/parameter_dialog.h"

#include <gtest/gtest.h>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "common/cp1251.h"
#include "dialog/dialog_resources.h"
#include "dialog/ruler_window.h"
#include "display/display.h"
#include "services/session_params.h"
#include "services/window_size.h"
#include "session/saved_parameters.h"
#include "tests/support/dialog_robot.h"
#include "tests/support/display_harness.h"
#include "tests/support/parameter_dialog_run.h"
#include "tests/support/temp_work_dir.h"

namespace zorikan {
namespace {

using testing::click_start;
using testing::DialogRobot;
using testing::DialogRun;
using testing::run_dialog;
using testing::run_dialog_steps;
using testing::vvd_lines;

const std::vector<std::string> kDefaultBoxes = {" 200.0", " 17.70", " 768", "1024", " 100"};

TEST(ParameterDialog, FirstRunShowsTheDefaultsAndStartWritesTheFiveLines) {
  testing::TempWorkDir dir;
  const DialogRun run = run_dialog(click_start);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_TRUE(run.returned);
  EXPECT_EQ(run.shown, kDefaultBoxes);
  EXPECT_EQ(dir.read("zorikan.vvd"),
            vvd_lines({"200.000  (дальность в сантиметрах)", " 17.700  (диагональ дисплея в дюймах)",
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
  dir.write("zorikan.vvd", vvd_lines({"     65", "   1770", "    600", "    800", "     20"}));
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
            vvd_lines({" 65.000  (дальность в сантиметрах)", "  1.770  (диагональ дисплея в дюймах)",
                       "   1050  (разрешение экрана, пикселей по Y)",
                       "    800  (разрешение экрана, пикселей по X)", "     20  (объем тренировки)"}));
}

// Each value typed is refused with a message naming its box and range, and the dialog stays open for the
// correction that follows; the corrections, the edges of the ranges, are saved.
TEST(ParameterDialog, StartRefusesAValueOutsideItsRangeAndKeepsTheDialogOpen) {
  struct Case {
    int box;
    QString refused;
    QString accepted;
    std::string message;
  };
  const std::string distance = "Дальность до дисплея: допустимы числа от 0.001 до 999.999";
  const std::string diagonal = "Диагональ дисплея: допустимы числа от 0.001 до 999.99";
  const std::vector<Case> cases = {
      {1000, "1000", "999.999", distance},
      {1000, "0.0004", "0.001", distance},
      {1001, "999.995", "999.99", diagonal},
      {1001, "-17", "999.99", diagonal},
      {1002, "0", "9999", "Разрешение экрана, Ny=: допустимы числа от 1 до 9999"},
      {1003, "10000", "1", "Разрешение экрана, Nx=: допустимы числа от 1 до 9999"},
      {1004, "10000", "9999", "Объем тренировки: допустимы числа от -999 до 9999"},
  };
  testing::TempWorkDir dir;
  size_t next = 0;
  const DialogRun run = run_dialog_steps([&](QDialog& dialog, size_t messages) {
    if (messages != next) return false;  // the last refusal's message is still to come
    if (next > 0) testing::retype(testing::edit_box(dialog, cases[next - 1].box), cases[next - 1].accepted);
    if (next < cases.size()) testing::retype(testing::edit_box(dialog, cases[next].box), cases[next].refused);
    click_start(dialog);
    return ++next > cases.size();
  });
  EXPECT_TRUE(run.returned);
  std::vector<std::string> messages;
  for (const Case& refusal : cases) messages.push_back(refusal.message);
  EXPECT_EQ(run.reports, messages);
  EXPECT_EQ(dir.read("zorikan.vvd"),
            vvd_lines({"  0.001  (дальность в сантиметрах)", "999.990  (диагональ дисплея в дюймах)",
                       "   9999  (разрешение экрана, пикселей по Y)",
                       "      1  (разрешение экрана, пикселей по X)", "   9999  (объем тренировки)"}));
}

// A line that does not read, or reads as a value outside its range, costs only its own value.
TEST(ParameterDialog, EachLineOfTheFileIsReadOnItsOwn) {
  testing::TempWorkDir dir;
  const std::string saved = vvd_lines({"    NaN", "*******", "    600", "  10000", "     20"});
  dir.write("zorikan.vvd", saved);
  const DialogRun run = run_dialog([](QDialog& dialog) { testing::press_key(dialog, Qt::Key_Escape); });
  EXPECT_EQ(run.shown, (std::vector<std::string>{" 200.0", " 17.70", " 600", "1024", "  20"}));
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

// Text that is not a number, NaN and the infinities included, ends the program with a report naming
// the box, whichever button was pressed; nothing is saved.
struct NotANumberCase {
  const char* name;
  const char* typed;
  int button;
};
constexpr NotANumberCase kNotANumber[] = {{"Text", "65 см", 1},
                                          {"NaN", "NaN", 1},
                                          {"Inf", "Inf", 1},
                                          {"MinusInfinity", "-Infinity", 1},
                                          {"TextOnExit", "65 см", 2}};

class NotANumber : public ::testing::TestWithParam<NotANumberCase> {};

TEST_P(NotANumber, EndsTheProgramWithAReportOfTheBox) {
  testing::TempWorkDir dir;
  const NotANumberCase& typed = GetParam();
  const DialogRun run = run_dialog([&](QDialog& dialog) {
    testing::retype(testing::edit_box(dialog, 1000), QString::fromUtf8(typed.typed));
    testing::click(testing::push_button(dialog, typed.button));
  });
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(run.returned);
  EXPECT_EQ(run.reports,
            std::vector<std::string>{"parameter dialog: the box \"Дальность до дисплея\" holds \"" +
                                     std::string(typed.typed) + "\", which does not read as a real number"});
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "zorikan.vvd"));
}

void PrintTo(const NotANumberCase& typed, std::ostream* out) {
  *out << typed.name;
}

INSTANTIATE_TEST_SUITE_P(ParameterDialog, NotANumber, ::testing::ValuesIn(kNotANumber),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ParameterDialog, AMissingTemplateStopsTheProgramBeforeAnyFileIsTouched) {
  testing::TempWorkDir dir;
  const std::string saved = vvd_lines({"     65"});
  dir.write("zorikan.vvd", saved);
  use_dialog_resources({});
  const DialogRun run = run_dialog([](QDialog&) { ADD_FAILURE() << "no dialog can be shown"; });
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(run.returned);
  EXPECT_EQ(run.reports, std::vector<std::string>{"Диалог IDD_DIALOG1 не найден"});
  EXPECT_EQ(dir.read("zorikan.vvd"), saved);
}

// The set-up line's first part worked out from the physical set-up: the gap of level a is 14.5 mm x
// (0.1 / a) x (distance / 500 cm) at the eye, a pixel diagonal x 25.4 / sqrt(nx^2 + ny^2) mm; a level can
// be measured when its gap covers at least one pixel.
// Worked out here: a level's gap is 14.5 mm and its ring 72.5 mm x (0.1 / level) x (distance / 500 cm), over
// the pitch; the line names the levels from the lowest whose ring fits the window's 650 rows to the highest
// whose gap covers a pixel, and the distances that would take in 0.1 and 2.0.
std::string expected_measure(double distance_cm, double diagonal_inch, int nx, int ny) {
  const double pitch = diagonal_inch * 25.4 / std::hypot(nx, ny);
  const auto pixels = [&](double mm, const std::string& level) {
    return mm * (0.1 / std::stod(level)) * (distance_cm / 500) / pitch;
  };
  std::string lowest, highest;
  for (const char* level :
       {"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0", "1.25", "1.5", "2.0"}) {
    if (pixels(14.5, level) >= 1) highest = level;
    if (lowest.empty() && pixels(72.5, level) <= 650) lowest = level;
  }
  std::string line =
      highest.empty() ? "Даже 0.1 не измерить" : "Измеримая острота от " + lowest + " до " + highest;
  if (lowest != "0.1")
    line += "; для 0.1 сядьте не дальше " + std::to_string(int(650 * 500 * pitch / 72.5)) + " см";
  if (highest == "2.0") return line;
  const int closest = int(std::ceil(500 * pitch * 20 / 14.5));
  return line + (closest > 999.999 ? "; этот экран не измерит 2.0 и с 999.999 см"
                                   : "; для 2.0 сядьте не ближе " + std::to_string(closest) + " см");
}

// Each stage types into boxes; within a second the line must read as worked out for the values, its
// screen part red exactly when it names another resolution.
TEST(ParameterDialog, TheSetUpLineFollowsTheTypingAndWarnsOfAnotherResolution) {
  const std::string other = "Экран сейчас 1280 x 1024";
  const std::vector<std::tuple<int, QString, std::string, std::string>> stages = {
      {0, "", expected_measure(200, 17.7, 1024, 768), other},
      {1002, "1024", expected_measure(200, 17.7, 1024, 1024), other},
      {1003, "1280", expected_measure(200, 17.7, 1280, 1024), ""},
      {1000, "150", expected_measure(150, 17.7, 1280, 1024), ""},
      {1001, "17,7", "Диагональ дисплея: не число", ""},
      {1001, "19", expected_measure(150, 19, 1280, 1024), ""},
      {1003, "1279", expected_measure(150, 19, 1279, 1024), other},
      {1001, "15.6", expected_measure(150, 15.6, 1279, 1024), other},
      {1002, "2160", expected_measure(150, 15.6, 1279, 2160), other},
      {1003, "3840", expected_measure(150, 15.6, 3840, 2160), other},
      {1000, "500", expected_measure(500, 15.6, 3840, 2160), other},
      {1001, "150", expected_measure(500, 150, 3840, 2160), other},
      {1002, "1080", expected_measure(500, 150, 3840, 1080), other},
      {1003, "1920", expected_measure(500, 150, 1920, 1080), other}};
  testing::TempWorkDir dir;
  size_t stage = 0;
  int waited = 0;
  const DialogRun run = run_dialog_steps([&](QDialog& dialog, size_t) {
    const auto& [box, typed, measure, screen] = stages[stage];
    QLabel* line = testing::label(dialog, 1007);
    const std::string shown =
        testing::label(dialog, 1006)->text().toStdString() + "|" + line->text().toStdString();
    if (shown != measure + "|" + screen && ++waited < 100) return false;
    EXPECT_EQ(shown, measure + "|" + screen) << "stage " << stage;
    const QImage red = line->grab().toImage();
    EXPECT_EQ(testing::red_pixels(red, red.rect()) > 20, !screen.empty()) << "stage " << stage;
    waited = 0;
    if (++stage == stages.size()) testing::press_key(dialog, Qt::Key_Escape);
    if (stage == stages.size()) return true;
    testing::retype(testing::edit_box(dialog, std::get<0>(stages[stage])), std::get<1>(stages[stage]));
    return false;
  });
  EXPECT_EQ(stage, stages.size());
}

// Brings the bar to `length` device pixels as a user does: a drag moves its end by the device pixels of the
// logical distance, arrow keys and wheel notches by one device pixel a step, whatever the scale factor.
void stretch_bar(dialog::RulerBar* bar, int length) {
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(100, 5));
  const int clicked = bar->length_pixels();
  QMouseEvent drag(QEvent::MouseMove, QPointF(110, 5), bar->mapToGlobal(QPointF(110, 5)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(bar, &drag);
  EXPECT_EQ(bar->length_pixels() - clicked, static_cast<int>(10 * bar->devicePixelRatioF()));
  for (int keys = 0; keys < 2000 && bar->length_pixels() != length - 3; ++keys)
    QTest::keyClick(bar, bar->length_pixels() < length ? Qt::Key_Right : Qt::Key_Left);
  QWheelEvent wheel(QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 360), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(bar, &wheel);
  const QImage drawn = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);  // device pixels
  const auto* row = reinterpret_cast<const QRgb*>(drawn.constScanLine(drawn.height() / 2));
  EXPECT_EQ(std::count(row, row + drawn.width(), qRgb(0, 0, 0)), length) << "three wheel notches later";
}

// Per case: the resolution typed, the bar's length, OK or Cancel. The bar counts device pixels of the
// screen, 1280 x 1024 at scale factors 1 and 2, so OK puts the diagonal of the bar's pitch on that screen,
// 85.6 / N x sqrt(1280^2 + 1024^2) / 25.4, into its box as the box shows numbers, and the screen's
// resolution into the Ny and Nx boxes where another was typed (then the set-up line shows no red);
// Cancel leaves every box.
TEST(ParameterDialog, TheRulerPutsTheDiagonalOfTheCardBarOnTheScreensResolutionIntoTheBoxes) {
  const std::vector<std::tuple<QString, QString, int, bool>> cases = {{"1024", "1280", 317, true},
                                                                      {"768", "1024", 250, false},
                                                                      {"1080", "1920", 420, true},
                                                                      {"", "1920", 300, true}};
  testing::TempWorkDir dir;
  size_t index = 0;
  int waited = 0;
  QString before;
  bool stretched = false;
  const DialogRun run = run_dialog_steps([&](QDialog& dialog, size_t) {
    const auto& [ny, nx, bar, ok] = cases[index];
    QLineEdit* diagonal = testing::edit_box(dialog, 1001);
    QDialog* ruler = testing::shown_ruler();
    if (before.isEmpty()) {
      testing::retype(testing::edit_box(dialog, 1002), ny);
      testing::retype(testing::edit_box(dialog, 1003), nx);
      before = diagonal->text();
      testing::click(testing::push_button(dialog, 1005));
    } else if (ruler != nullptr && !stretched) {
      stretch_bar(ruler->findChild<dialog::RulerBar*>(), bar);
      EXPECT_TRUE(ruler->findChildren<QLabel*>().back()->text().startsWith(
          QString("Длина полосы в пикселах: %1 ").arg(bar)));
      stretched = true;
      testing::click(ruler->findChild<QDialogButtonBox*>()->button(ok ? QDialogButtonBox::Ok
                                                                      : QDialogButtonBox::Cancel));
    } else if (ruler == nullptr && stretched) {  // closed again, not yet opened by the program thread
      const double exact = 85.6 / bar * std::hypot(1280, 1024) / 25.4;
      const QString expected = ok ? QString::asprintf("%6.2f", exact) : before;
      const QImage line = testing::label(dialog, 1007)->grab().toImage();
      const std::tuple shown{
          diagonal->text().toStdString(), testing::edit_box(dialog, 1002)->text().toStdString(),
          testing::edit_box(dialog, 1003)->text().toStdString(), testing::red_pixels(line, line.rect()) > 0};
      const std::tuple wanted{expected.toStdString(), (ok ? QString("1024") : ny).toStdString(),
                              (ok ? QString("1280") : nx).toStdString(), !ok};
      if (shown != wanted && ++waited < 100) return false;  // on its way from the program thread
      EXPECT_EQ(shown, wanted) << "case " << index;
      waited = 0;
      before.clear();
      stretched = false;
      if (++index < cases.size()) return false;
      testing::click(diagonal);  // Enter on the ruler's button, which has the focus, would open the ruler
      testing::press_key(dialog, Qt::Key_Return);
      return true;
    }
    return false;
  });
  EXPECT_TRUE(run.returned);
  EXPECT_EQ(dir.read("zorikan.vvd"),
            vvd_lines({"200.000  (дальность в сантиметрах)", " 18.410  (диагональ дисплея в дюймах)",
                       "   1024  (разрешение экрана, пикселей по Y)",
                       "   1280  (разрешение экрана, пикселей по X)", "    100  (объем тренировки)"}));
}

}  // namespace
}  // namespace zorikan
