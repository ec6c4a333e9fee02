// Checking, completing and adjusting a requested window configuration.
#include "display/window_config_rules.h"

#include <gtest/gtest.h>

namespace zorikan::display {
namespace {

WindowConfig request(int16_t width, int16_t height, int16_t columns, int16_t rows, int16_t colors,
                     int32_t font) {
  WindowConfig config;
  config.pixel_width = width;
  config.pixel_height = height;
  config.text_columns = columns;
  config.text_rows = rows;
  config.color_count = colors;
  config.font_size = font;
  return config;
}

TEST(WindowConfigRules, OutOfRangeFieldsBecomeMinusOneAndNothingElseChanges) {
  WindowConfig config = request(980, 650, -1, -1, -1, 0);
  CompletedConfig completed;
  EXPECT_EQ(complete_window_config(config, ScreenFacts{}, completed), ConfigOutcome::kInvalid);
  EXPECT_EQ(config.font_size, -1);
  EXPECT_EQ(config.pixel_width, 980);
  EXPECT_EQ(config.text_columns, -1);
  EXPECT_EQ(config.bits_per_pixel, 0) << "an invalid request is not completed";
  // The corrected record is applied as it stands.
  EXPECT_EQ(complete_window_config(config, ScreenFacts{}, completed), ConfigOutcome::kApply);

  config = request(0, -2, 5, 0, -7, -3);
  EXPECT_EQ(complete_window_config(config, ScreenFacts{}, completed), ConfigOutcome::kInvalid);
  EXPECT_EQ(config.pixel_width, -1);
  EXPECT_EQ(config.pixel_height, -1);
  EXPECT_EQ(config.text_columns, 5);
  EXPECT_EQ(config.text_rows, -1);
  EXPECT_EQ(config.color_count, -1);
  EXPECT_EQ(config.font_size, -1);
}

TEST(WindowConfigRules, EachAxisIsCompletedFromWhatWasGiven) {
  const ScreenFacts facts;  // 1280 x 1024 screen, 8 x 16 default cell
  CompletedConfig done;

  WindowConfig config = request(980, 650, -1, -1, -1, -1);
  ASSERT_EQ(complete_window_config(config, facts, done), ConfigOutcome::kApply);
  EXPECT_EQ(done.text_columns, 122);
  EXPECT_EQ(done.text_rows, 40);
  EXPECT_EQ(done.color_count, 256);
  EXPECT_EQ(config.bits_per_pixel, 32);
  EXPECT_EQ(config.mode, -1);

  config = request(-1, -1, -1, -1, -1, -1);  // nothing given: the screen
  ASSERT_EQ(complete_window_config(config, facts, done), ConfigOutcome::kApply);
  EXPECT_EQ(done.pixel_width, 1280);
  EXPECT_EQ(done.text_rows, 64);

  config = request(-1, -1, 50, 20, -1, -1);  // counts only: pixels from the default cell
  ASSERT_EQ(complete_window_config(config, facts, done), ConfigOutcome::kApply);
  EXPECT_EQ(done.pixel_width, 400);
  EXPECT_EQ(done.pixel_height, 320);

  config = request(600, 300, 50, 10, -1, -1);  // both: the cell follows
  ASSERT_EQ(complete_window_config(config, facts, done), ConfigOutcome::kApply);
  EXPECT_EQ(done.cell_width, 12);
  EXPECT_EQ(done.cell_height, 30);

  config = request(-1, -1, 10, -1, -1, (10 << 16) | 20);  // a given cell makes the pixels
  ASSERT_EQ(complete_window_config(config, facts, done), ConfigOutcome::kApply);
  EXPECT_EQ(done.pixel_width, 100);
  EXPECT_EQ(done.text_rows, 1024 / 20);
  EXPECT_EQ(done.pixel_height, (1024 / 20) * 20);
}

TEST(WindowConfigRules, AdjustmentsAreReportedWithTheCorrectedRecord) {
  const ScreenFacts facts;
  CompletedConfig done;

  WindowConfig config = request(980, 650, 50, -1, -1, (10 << 16) | 20);  // 980 / 10 is 98 columns
  EXPECT_EQ(complete_window_config(config, facts, done), ConfigOutcome::kAdjusted);
  EXPECT_EQ(config.text_columns, 98);
  EXPECT_EQ(complete_window_config(config, facts, done), ConfigOutcome::kApply);

  config = request(20, 10, -1, -1, 1000, -1);
  EXPECT_EQ(complete_window_config(config, facts, done), ConfigOutcome::kAdjusted);
  EXPECT_EQ(config.pixel_width, facts.minimum_width);
  EXPECT_EQ(config.pixel_height, facts.minimum_height);
  EXPECT_EQ(config.color_count, 256);
}

}  // namespace
}  // namespace zorikan::display
