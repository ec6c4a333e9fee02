// The set-up line from the texts typed into the four boxes and the screen, against the measurable level
// and distance worked out here from the physical set-up; the card ruler's arithmetic.
#include "session/set_up_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/cp1251.h"
#include "session/card_ruler.h"
#include "tests/support/set_up_formula.h"

namespace zorikan {
namespace {

struct Typed {
  std::string distance, diagonal, ny, nx;  // UTF-8, as typed
};

SetUpLine line_of(const Typed& typed, const DialogScreen& screen) {
  static std::string texts[4];
  texts[0] = utf8_to_cp1251(typed.distance);
  texts[1] = utf8_to_cp1251(typed.diagonal);
  texts[2] = utf8_to_cp1251(typed.ny);
  texts[3] = utf8_to_cp1251(typed.nx);
  return set_up_line({{"Дальность до дисплея", texts[0], &kDistanceRange, false},
                      {"Диагональ дисплея", texts[1], &kDiagonalRange, false},
                      {"Разрешение экрана, Ny=", texts[2], &kResolutionRange, true},
                      {"Разрешение экрана, Nx=", texts[3], &kResolutionRange, true}},
                     screen);
}

// A 1280 x 1024 screen whose physical size the system does not know.
constexpr DialogScreen kScreen{1280, 1024, 0, 0};

TEST(SetUpLine, ThreeSetUpsMeasureWhatTheirPixelsAllow) {
  struct Case {
    Typed typed;
    double distance, diagonal;
    int nx, ny;
  };
  const Case cases[] = {{{" 200.0", " 17.70", " 768", "1024"}, 200, 17.7, 1024, 768},
                        {{"60", "15.6", "1080", "1920"}, 60, 15.6, 1920, 1080},
                        {{"500", "24", "1200", "1920"}, 500, 24, 1920, 1200},
                        {{"5", "27", "1024", "1280"}, 5, 27, 1280, 1024}};
  for (const Case& c : cases) {
    const std::string expected = testing::expected_measure(c.distance, c.diagonal, c.nx, c.ny);
    EXPECT_EQ(line_of(c.typed, kScreen).measure, expected);
  }
  EXPECT_EQ(line_of(cases[0].typed, kScreen).measure, "Измеримая острота до 1.5; для 2.0 сядьте не ближе 243 см");
  EXPECT_EQ(line_of(cases[2].typed, kScreen).measure, "Измеримая острота до 2.0");
  EXPECT_EQ(line_of(cases[3].typed, kScreen).measure.find("Даже 0.1 не измерить"), 0u);
}

// The first box, in the order of the dialog, that holds no usable number names itself; the screen part
// still compares a usable resolution.
TEST(SetUpLine, ABoxWithoutAUsableNumberSaysSoInsteadOfAFigure) {
  struct Case {
    Typed typed;
    std::string measure;
  };
  const Case cases[] = {
      {{"65 см", "17.7", "768", "1024"}, "Дальность до дисплея: не число"},
      {{"NaN", "17.7", "768", "1024"}, "Дальность до дисплея: не число"},
      {{"1000", "abc", "768", "1024"}, "Дальность до дисплея: допустимы числа от 0.001 до 999.999"},
      {{"200", "-17", "768", "1024"}, "Диагональ дисплея: допустимы числа от 0.001 до 999.99"},
      {{"200", "", "768", "1024"}, "Диагональ дисплея: допустимы числа от 0.001 до 999.99"},
      {{"200", "17.7", "", "1024"}, "Разрешение экрана, Ny=: допустимы числа от 1 до 9999"},
      {{"200", "17.7", "768", "10000"}, "Разрешение экрана, Nx=: допустимы числа от 1 до 9999"},
  };
  for (const Case& c : cases) {
    const SetUpLine line = line_of(c.typed, kScreen);
    EXPECT_EQ(line.measure, c.measure) << c.typed.distance << " " << c.typed.diagonal;
    EXPECT_EQ(line.screen_differs, c.typed.ny == "768" && c.typed.nx == "1024") << line.screen;
  }
}

TEST(SetUpLine, TheScreenPartWarnsExactlyWhenTheResolutionTypedIsNotTheScreens) {
  struct Case {
    std::string ny, nx;
    bool differs;
  };
  const Case cases[] = {{"1024", "1280", false}, {" 1024", "1280 ", false}, {"768", "1024", true},
                        {"1024", "1279", true},  {"1280", "1024", true},    {"abc", "1280", false}};
  for (const Case& c : cases) {
    const SetUpLine line = line_of({"200", "17.7", c.ny, c.nx}, kScreen);
    EXPECT_EQ(line.screen_differs, c.differs) << c.ny << " x " << c.nx;
    EXPECT_EQ(line.screen, c.differs ? "Экран сейчас 1280 x 1024" : "") << c.ny << " x " << c.nx;
  }
  const DialogScreen scaled{2560, 1600, 0, 0};  // device pixels of a screen shown at a scale factor
  EXPECT_EQ(line_of({"200", "17.7", "800", "1280"}, scaled).screen, "Экран сейчас 2560 x 1600");
  EXPECT_FALSE(line_of({"200", "17.7", "1600", "2560"}, scaled).screen_differs);
}

// Sizes that X servers and Qt's offscreen platform make up (96 and 100 pixels per inch), sizes of no
// screen, and pixels far from square are not shown; a real monitor's is, to 0.1 inch.
TEST(SetUpLine, TheMonitorsDiagonalIsShownOnlyWhenTheReportedSizeIsPlausible) {
  struct Case {
    DialogScreen screen;
    double inches;
  };
  const Case cases[] = {{{1920, 1080, 344, 194}, std::hypot(344, 194) / 25.4},
                        {{1280, 1024, 340, 270}, std::hypot(340, 270) / 25.4},
                        {{1280, 1024, 339, 271}, 0},
                        {{1280, 1024, 338.667, 270.933}, 0},
                        {{1280, 1024, 325.12, 260.096}, 0},
                        {{1920, 1080, 0, 0}, 0},
                        {{1920, 1080, 344, 344}, 0},
                        {{1920, 1080, 34400, 19400}, 0},
                        {{1920, 1080, 86, 48.5}, 0}};
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(reported_diagonal_inch(c.screen), c.inches) << c.screen.width_mm << " x " << c.screen.height_mm;
  }
  EXPECT_EQ(line_of({"200", "15.6", "1080", "1920"}, cases[0].screen).screen,
            "По данным системы диагональ экрана 15.5 дюйма");
  EXPECT_EQ(line_of({"200", "15.6", "768", "1024"}, cases[0].screen).screen,
            "Экран сейчас 1920 x 1080, по данным системы диагональ 15.5 дюйма");
}

TEST(CardRuler, TheBarGivesTheDiagonalOfItsPitchAndBack) {
  struct Case {
    int bar, nx, ny;
  };
  for (const Case& c : {Case{317, 1280, 1024}, Case{400, 1920, 1080}, Case{250, 1024, 768}, Case{972, 3840, 2160}}) {
    const double diagonal = diagonal_from_card_bar(c.bar, c.nx, c.ny);
    EXPECT_NEAR(diagonal, 85.6 / c.bar * std::hypot(c.nx, c.ny) / 25.4, 1e-12);
    EXPECT_EQ(card_bar_pixels(diagonal, c.nx, c.ny), c.bar);
  }
  EXPECT_EQ(diagonal_from_card_bar(0, 1280, 1024), 0);
  EXPECT_EQ(card_bar_pixels(NAN, 1280, 1024), 0);
  EXPECT_EQ(card_bar_pixels(17.7, 0, 1024), 0);
}

}  // namespace
}  // namespace zorikan
