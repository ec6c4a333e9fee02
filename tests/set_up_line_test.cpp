// The set-up line from the texts typed, the screen and the graphics window (the parameter dialog's test
// checks its figures against the formula for the set-ups it types); the monitor's reported diagonal; the
// card ruler's arithmetic.
#include "session/set_up_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "session/card_ruler.h"

namespace zorikan {
namespace {

// Texts as typed (ASCII), the screen 1280 x 1024 with no physical size, the 980 x 650 window.
SetUpLine line_of(std::string_view distance, std::string_view diagonal, std::string_view ny,
                  std::string_view nx, const DialogScreen& screen = {1280, 1024, 0, 0},
                  RingWindow window = {980, 650}) {
  return set_up_line({{"Дальность до дисплея", distance, &kDistanceRange, false},
                      {"Диагональ дисплея", diagonal, &kDiagonalRange, false},
                      {"Разрешение экрана, Ny=", ny, &kResolutionRange, true},
                      {"Разрешение экрана, Nx=", nx, &kResolutionRange, true}},
                     screen, window);
}

// 15.6" 3840 x 2160 at 500 cm: 0.1's ring is 806 pixels, in a window 650 high; 150" 1920 x 1080: 2.0's gap
// covers a pixel from 1193 cm, beyond the distance box.
TEST(SetUpLine, TheLineNamesTheLevelsAndDistancesOrTheBoxWithoutAUsableNumber) {
  EXPECT_EQ(line_of("200", "17.7", "768", "1024").measure,
            "Измеримая острота от 0.1 до 1.5; для 2.0 сядьте не ближе 243 см");
  EXPECT_EQ(line_of("500", "24", "1200", "1920").measure, "Измеримая острота от 0.1 до 2.0");
  EXPECT_EQ(line_of("500", "15.6", "2160", "3840").measure,
            "Измеримая острота от 0.2 до 2.0; для 0.1 сядьте не дальше 403 см");
  EXPECT_EQ(line_of("200", "150", "1080", "1920").measure,
            "Измеримая острота от 0.1 до 0.3; этот экран не измерит 2.0 и с 999.999 см");
  EXPECT_EQ(line_of("10", "17.7", "768", "1024").measure,
            "Даже 0.1 не измерить; для 2.0 сядьте не ближе 243 см");
  EXPECT_EQ(line_of("500", "24", "1200", "1920", {1280, 1024, 0, 0}, {3, 3}).measure,
            "Ни одно кольцо с видимым зазором не помещается в окно; для 0.1 сядьте не дальше 5 см");

  EXPECT_EQ(line_of("NaN", "abc", "768", "1024").measure, "Дальность до дисплея: не число");
  EXPECT_EQ(line_of("200", "-17", "768", "1024").measure,
            "Диагональ дисплея: допустимы числа от 0.001 до 999.99");
  const SetUpLine no_ny = line_of("200", "17.7", "", "1024");  // an empty box reads as 0
  EXPECT_EQ(no_ny.measure, "Разрешение экрана, Ny=: допустимы числа от 1 до 9999");
  EXPECT_FALSE(no_ny.screen_differs) << "no resolution to compare";
}

// Made-up sizes (96 and 100 pixels per inch: X servers, Xvfb, Qt's offscreen platform), no size, pixels far
// from square and sizes of no screen are left out; a real monitor's diagonal is shown to 0.1 inch.
TEST(SetUpLine, TheMonitorsDiagonalIsShownOnlyWhenTheReportedSizeIsPlausible) {
  EXPECT_DOUBLE_EQ(reported_diagonal_inch({1280, 1024, 340, 270}), std::hypot(340, 270) / 25.4);
  for (const DialogScreen& made_up :
       {DialogScreen{1280, 1024, 339, 271}, DialogScreen{1280, 1024, 325.12, 260.096},
        DialogScreen{1920, 1080, 0, 0}, DialogScreen{1920, 1080, 344, 344},
        DialogScreen{1920, 1080, 86, 48.5}, DialogScreen{1920, 1080, 34400, 19400}})
    EXPECT_EQ(reported_diagonal_inch(made_up), 0) << made_up.width_mm << " x " << made_up.height_mm;
  const DialogScreen laptop{1920, 1080, 344, 194};
  EXPECT_EQ(line_of("60", "15.6", "1080", "1920", laptop).screen,
            "По данным системы диагональ экрана 15.5 дюйма");
  EXPECT_EQ(line_of("60", "15.6", "768", "1024", laptop).screen,
            "Экран сейчас 1920 x 1080, по данным системы диагональ 15.5 дюйма");
}

TEST(CardRuler, TheBarGivesTheDiagonalOfItsPitchAndBack) {
  for (const auto& [bar, nx, ny] :
       {std::tuple{317, 1280, 1024}, std::tuple{420, 1920, 1080}, std::tuple{972, 3840, 2160}}) {
    const double diagonal = diagonal_from_card_bar(bar, nx, ny);
    EXPECT_NEAR(diagonal, 85.6 / bar * std::hypot(nx, ny) / 25.4, 1e-12);
    EXPECT_EQ(card_bar_pixels(diagonal, nx, ny), bar);
  }
}

}  // namespace
}  // namespace zorikan
