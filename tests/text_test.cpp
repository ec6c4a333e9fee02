// Drawn text: colour, transparency, placement of consecutive texts, clipping status, code page, and
// the text grid's colours.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/cp1251.h"
#include "display/display.h"
#include "display/font_table.h"
#include "display/layer_status.h"
#include "display/window_registry.h"
#include "tests/support/screenless_window.h"

namespace zorikan::display {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 120;

QImage black_surface() {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(0);
  return image;
}

QRect changed_pixels(const QImage& before, const QImage& after) {
  QRect box;
  for (int y = 0; y < after.height(); ++y) {
    for (int x = 0; x < after.width(); ++x) {
      if (before.pixel(x, y) != after.pixel(x, y)) box = box.united(QRect(x, y, 1, 1));
    }
  }
  return box;
}

class Text : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = testing::open_screenless_window(kWidth, kHeight);
    ASSERT_TRUE(window_);
  }
  void TearDown() override {
    set_thread_active_window(nullptr);
    close_window(1);
  }

  void draw_at(int x, int y, std::string_view text) {
    window_->position = QPoint(x, y);
    draw_text(text);
  }

  std::shared_ptr<ChildWindow> window_;
};

TEST_F(Text, WithoutAFontNothingIsDrawn) {
  draw_at(10, 10, "abc");
  EXPECT_EQ(layer_status(), kStatusNothingDrawn);
  EXPECT_EQ(window_->position, QPoint(10, 10));
  EXPECT_EQ(changed_pixels(black_surface(), window_->surface), QRect()) << "still all black";

  set_thread_active_window(nullptr);
  draw_text("abc");  // no window: nothing to draw on, and no crash
  EXPECT_EQ(layer_status(), kStatusFailure);
}

TEST_F(Text, DrawnInTheDrawingColourOverAnUntouchedBackground) {
  ASSERT_GT(init_fonts(), 0);
  ASSERT_GT(select_font("t'Times New Roman Cyr'h68w20ib"), 0);
  window_->draw_color = kRgbFlag | 0x0000FF;  // red
  window_->text_color = kRgbFlag | 0x00FF00;
  window_->text_background = kRgbFlag | 0xFF0000;

  // One-pixel stripes as background: whatever the glyphs do not cover must keep its stripe.
  QImage stripes(kWidth, kHeight, QImage::Format_RGB32);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) stripes.setPixel(x, y, (x + y) % 2 ? 0xFFFFFFFF : 0xFF202020);
  }
  window_->surface = stripes;
  static constexpr auto kWord = cp1251<"Жук">();
  draw_at(20, 10, kWord.view());
  ASSERT_EQ(layer_status(), kStatusOk);
  const QImage on_stripes = window_->surface;

  window_->surface.fill(0);
  draw_at(20, 10, kWord.view());
  const QImage on_black = window_->surface;

  int full = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const QRgb pixel = on_black.pixel(x, y);
      if (pixel == 0xFF000000) {
        ASSERT_EQ(on_stripes.pixel(x, y), stripes.pixel(x, y)) << x << "," << y;
        continue;
      }
      // Glyph pixels: red, or an edge blend of red into what was there.
      ASSERT_EQ(qGreen(pixel), 0) << x << "," << y;
      ASSERT_EQ(qBlue(pixel), 0) << x << "," << y;
      if (pixel == 0xFFFF0000) {
        ++full;
        ASSERT_EQ(on_stripes.pixel(x, y), 0xFFFF0000u) << x << "," << y;
      }
    }
  }
  EXPECT_GT(full, 500) << "the strokes of a 68-pixel font are solid red";
}

TEST_F(Text, ConsecutiveTextsContinueOnTheSameRow) {
  ASSERT_GT(init_fonts(), 0);
  ASSERT_GT(select_font("t'Times New Roman Cyr'h38w17ib"), 0);
  draw_at(15, 40, "HH");
  const int after_first = window_->position.x();
  const QImage one = window_->surface;
  draw_text("HH");
  EXPECT_EQ(window_->position.y(), 40);
  EXPECT_EQ(window_->position.x() - after_first, after_first - 15);

  const QRect first_ink = changed_pixels(black_surface(), one);
  const QRect second_ink = changed_pixels(one, window_->surface);
  EXPECT_EQ(second_ink.top(), first_ink.top());
  EXPECT_EQ(second_ink.bottom(), first_ink.bottom());
  EXPECT_NEAR(second_ink.left() - first_ink.left(), after_first - 15, 1);
}

TEST_F(Text, ReachingPastTheRightOrBottomEdgeIsClipped) {
  ASSERT_GT(init_fonts(), 0);
  ASSERT_GT(select_font("t'Times New Roman Cyr'h40w10"), 0);
  draw_at(0, kHeight - 40, "0000");
  EXPECT_EQ(layer_status(), kStatusOk) << "the cell ends on the bottom edge";
  draw_at(0, kHeight - 39, "0000");
  EXPECT_EQ(layer_status(), kStatusClipped);
  draw_at(kWidth - 20, 0, "0000");
  EXPECT_EQ(layer_status(), kStatusClipped);
  EXPECT_GT(window_->position.x(), kWidth) << "the position moves on past the edge";
  draw_at(-30, -20, "0000");
  EXPECT_EQ(layer_status(), kStatusOk) << "only the right and bottom edges count";
  draw_text("");
  EXPECT_EQ(layer_status(), kStatusOk);
}

// measure_text reaches as far right as the drawn ink goes (an italic's overhang included), and barely
// further.
TEST_F(Text, MeasuredReachCoversTheInkAndLittleMore) {
  EXPECT_EQ(measure_text("abc"), 0) << "no font yet";
  ASSERT_GT(init_fonts(), 0);
  for (const char* font :
       {"t'Times New Roman Cyr'h24w7b", "t'Times New Roman Cyr'h68w20ib", "t'Courier New'h20w10"}) {
    ASSERT_GT(select_font(font), 0);
    window_->draw_color = kRgbFlag | 0xFFFFFF;
    window_->surface = black_surface();
    draw_at(10, 10, cp1251<"Конец мин f">().view());
    const int ink_end = changed_pixels(black_surface(), window_->surface).right() + 1;
    EXPECT_LE(ink_end, 10 + measure_text(cp1251<"Конец мин f">().view())) << font;
    EXPECT_GE(ink_end + 3, 10 + measure_text(cp1251<"Конец мин f">().view())) << font;
  }
}

TEST_F(Text, BytesAreWindows1251) {
  ASSERT_GT(init_fonts(), 0);
  ASSERT_GT(select_font("t'Times New Roman Cyr'h40"), 0);
  // In Latin-1 the byte 0xB9 is a narrow superscript one and 0x97 a control character; in
  // Windows-1251 they are the numero sign (1954/2048 em in Liberation Serif) and the em dash (one
  // em). The em is 40 x 2048 / 2268 pixels.
  static constexpr auto kNumero = cp1251<"№">();
  static constexpr auto kDash = cp1251<"—">();
  draw_at(0, 0, kNumero.view());
  EXPECT_NEAR(window_->position.x(), 1954 * 40 / 2268.0, 1);
  draw_at(0, 0, kDash.view());
  EXPECT_NEAR(window_->position.x(), 2048 * 40 / 2268.0, 1);
  draw_at(0, 0, std::string("\x98\x00 ", 3));  // unassigned byte, NUL and a blank: drawn as given
  EXPECT_EQ(layer_status(), kStatusOk);
}

TEST_F(Text, TextColoursAreStoredAsRgbAndLeaveDrawnTextAlone) {
  EXPECT_EQ(set_text_color_rgb(0x123456), 0xFFFFFF) << "palette 15, white";
  EXPECT_EQ(set_text_color_rgb(0x00AA00), 0x123456);
  EXPECT_EQ(window_->text_color, kRgbFlag | 0x00AA00);
  EXPECT_EQ(set_text_background_rgb(0x654321), 0x000000) << "palette 0, black";
  EXPECT_EQ(set_text_background_rgb(0x0000FF), 0x654321);
  EXPECT_EQ(window_->text_background, kRgbFlag | 0x0000FF);
  window_->text_color = 12;  // a palette index reads back as its RGB
  EXPECT_EQ(set_text_color_rgb(0), 0x0000FF);
  EXPECT_EQ(window_->draw_color, 15u) << "the drawing colour is not touched";

  set_thread_active_window(nullptr);
  EXPECT_EQ(set_text_color_rgb(0x123456), -1);
  EXPECT_EQ(set_text_background_rgb(0x123456), -1);
}

}  // namespace
}  // namespace zorikan::display
