// open_graphics_window on the real window: the window, its registration for the plotting kit, the
// colour table filled on the first opening only, and select_color's colours.
#include "session/open_graphics_window.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "display/display.h"
#include "display/window_registry.h"
#include "services/color_table.h"
#include "services/window_registration.h"
#include "tests/support/display_harness.h"

namespace zorikan {
namespace {

TEST(OpenGraphicsWindow, OpensRegistersFillsTheColourTableOnceAndSelectColorTruncatesEachComponent) {
  // Components times 255, truncated: 0.9 -> 229, 0.7 -> 178, 0.8 -> 204, 0.35 -> 89, 0.5 -> 127.
  constexpr std::array<int32_t, 16> kExpected = {
      0xFFFFFF, 0x7F00FF, 0x00B2E5, 0x00B200, 0xFF0000, 0xFF00FF, 0xE5CC00, 0x000000,
      0x595959, 0x0000FF, 0x007F7F, 0x007F00, 0x7F7F00, 0xFF0000, 0xFF00FF, 0xFFFFFF,
  };
  std::array<int32_t, 16> drawn{}, texts{};
  int32_t index_after_bad = -1, drawn_after_bad = -1;
  bool caret_hidden = false;
  int32_t background = -1;
  WindowConfig second;
  float red_after_second_open = -1;
  const int code = testing::run_display(
      [&] {
        set_exit_behaviour(2);
        open_graphics_window(1, 650, 980, "first");
        for (int32_t i = 0; i < 16; ++i) {
          select_color(i);
          drawn[i] = set_draw_color_rgb(0x123456);
          texts[i] = set_text_color_rgb(0x123456);
        }
        select_color(7);
        select_color(16);
        select_color(-1);
        index_after_bad = color_table.current_index;
        drawn_after_bad = set_draw_color_rgb(0);
        caret_hidden = set_text_cursor(0) == 0;
        background = set_text_background_rgb(0);

        color_table.entries[9].red = 0.25f;
        open_graphics_window(2, 200, 300, "second");
        red_after_second_open = color_table.entries[9].red;
        get_window_config(second);
        stop_program();
      },
      {});
  ASSERT_EQ(code, 0);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(drawn[i], kExpected[i]) << "colour " << i;
    EXPECT_EQ(texts[i], kExpected[i]) << "colour " << i;
  }
  EXPECT_EQ(index_after_bad, 7) << "an index outside 0..15 selects nothing";
  EXPECT_EQ(drawn_after_bad, 0x000000);
  EXPECT_TRUE(caret_hidden);
  EXPECT_EQ(background, 0xFFFFFF);
  EXPECT_EQ(red_after_second_open, 0.25f) << "the defaults are filled on the first opening only";
  EXPECT_EQ(second.pixel_width, 300) << "the second window is the active one";
  EXPECT_EQ(second.pixel_height, 200);
  EXPECT_EQ(window_registration[2].text_width, 240.0f);
  EXPECT_EQ(window_registration[2].text_height, 180.0f);
  EXPECT_EQ(window_registration[2].pixel_width, 300.0f);
  EXPECT_EQ(window_registration[2].pixel_height, 200.0f);
  EXPECT_EQ(window_registration[1].pixel_width, 980.0f);
}

}  // namespace
}  // namespace zorikan
