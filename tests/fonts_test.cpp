// Fonts over the system's own table: init_fonts, select_font with the program's descriptors (cells
// measured on the surface against the face's design units) and the text rotation.
#include <QFontDatabase>
#include <QRawFont>
#include <QStringList>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "display/display.h"
#include "display/font_table.h"
#include "display/layer_status.h"
#include "display/window_registry.h"
#include "tests/support/screenless_window.h"

namespace zorikan::display {
namespace {

constexpr uint32_t kBackground = 0xFF000000;

// Liberation Serif in design units, read through QRawFont: an oracle independent of the pixel sizes
// and transforms the layer uses.
struct DesignFace {
  double cell = 0;  // ascent + descent
  double ascent = 0;
  double digit_advance = 0;  // '0'
  double average_width = 0;  // frequency-weighted mean of a..z and the space
};

DesignFace liberation_serif(bool italic) {
  QFont font("Liberation Serif");
  font.setItalic(italic);
  QRawFont raw = QRawFont::fromFont(font);
  raw.setPixelSize(raw.unitsPerEm());
  auto advance = [&](QChar c) {
    const auto glyphs = raw.glyphIndexesForString(QString(c));
    return raw.advancesForGlyphIndexes(glyphs).at(0).x();
  };
  constexpr std::array<int, 27> kWeights = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                            56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
  double weighted = 0;
  for (int i = 0; i < 27; ++i) weighted += advance(i < 26 ? QChar(u'a' + i) : QChar(u' ')) * kWeights[i];
  return {raw.ascent() + raw.descent(), raw.ascent(), advance(u'0'), weighted / 1000};
}

QRect ink_of(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (row[x] != kBackground) box = box.united(QRect(x, y, 1, 1));
    }
  }
  return box;
}

class Fonts : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = testing::open_screenless_window(1000, 600);
    ASSERT_TRUE(window_);
    window_->draw_color = kRgbFlag | 0xFFFFFF;
  }
  void TearDown() override {
    set_thread_active_window(nullptr);
    close_window(1);
  }

  // Draws `text` at (x, y) on a cleared surface; returns how far the position moved.
  int draw_at(int x, int y, std::string_view text) {
    window_->surface.fill(0);
    window_->position = QPoint(x, y);
    draw_text(text);
    EXPECT_EQ(window_->position.y(), y);
    return window_->position.x() - x;
  }

  std::shared_ptr<ChildWindow> window_;
};

TEST_F(Fonts, NothingBeforeInitFontsOrWithoutAWindow) {
  EXPECT_EQ(select_font("t'Times New Roman Cyr'h120w40ib"), -1);
  set_text_rotation(900);
  EXPECT_EQ(window_->font.table_index, -1);

  set_thread_active_window(nullptr);
  EXPECT_EQ(init_fonts(), -1);
  set_thread_active_window(window_);

  ASSERT_GT(init_fonts(), 0);
  EXPECT_EQ(window_->font.escapement, 0) << "the rotation asked before init_fonts was ignored";
}

TEST_F(Fonts, InitFontsListsEveryFamilyInTheSystemsOrder) {
  const int16_t count = init_fonts();
  const auto table = font_table();
  ASSERT_EQ(count, static_cast<int16_t>(table.size()));

  // Every family, each once and in order, with one scalable entry per style (no face here is
  // offered in fixed sizes only).
  const QStringList families = QFontDatabase::families();
  size_t at = 0;
  for (const QString& family : families) {
    for (const QString& style : QFontDatabase::styles(family)) {
      ASSERT_LT(at, table.size());
      EXPECT_EQ(table[at].family, family.toStdString());
      EXPECT_EQ(table[at].style, style.toStdString());
      EXPECT_EQ(table[at].type, FontType::kScalable);
      ++at;
    }
  }
  EXPECT_EQ(at, table.size());

  // The default font is the last scalable entry, described at the 16-pixel cell.
  const int last = static_cast<int>(table.size()) - 1;
  EXPECT_EQ(default_font_index(), last);
  EXPECT_EQ(window_->font.table_index, last);
  EXPECT_EQ(window_->font.face, table[last].face_name);

  int serif_styles = 0;
  for (const FontEntry& entry : table) {
    if (entry.face_name == "Liberation Serif") {
      ++serif_styles;
      EXPECT_EQ(entry.charset, kCyrillicCharset);
      EXPECT_EQ(entry.pitch_and_family & kPitchMask, kVariablePitch);
      EXPECT_EQ(entry.height, 16);
      EXPECT_EQ(entry.metrics.ascent + entry.metrics.descent, 16);
      if (entry.style == "Regular") {
        EXPECT_EQ(entry.width, 6);  // 16 x 821.8 / 2268, rounded
      }
      EXPECT_EQ(entry.italic, entry.style.find("Italic") != std::string::npos);
      EXPECT_EQ(entry.weight, entry.style.find("Bold") != std::string::npos ? 700 : 400);
    }
    if (entry.face_name == "Liberation Mono") {
      EXPECT_EQ(entry.pitch_and_family & kPitchMask, kFixedPitch);
    }
  }
  EXPECT_EQ(serif_styles, 4);

  // A later call keeps the table and selects the default font again.
  ASSERT_GT(select_font("t'Liberation Mono'h20"), 0);
  EXPECT_EQ(init_fonts(), count);
  EXPECT_EQ(window_->font.table_index, last);
}

TEST_F(Fonts, FacesResolveThroughTheSystemsSubstitutes) {
  ASSERT_GT(init_fonts(), 0);
  const auto face_of = [&](std::string_view descriptor) -> std::string {
    const int16_t number = select_font(descriptor);
    if (number < 1) return "(none)";
    return font_table()[number - 1].face_name;
  };
  EXPECT_EQ(face_of("t'Times New Roman Cyr'h20"), "Liberation Serif");
  EXPECT_EQ(face_of("t'times new roman'h20"), "Liberation Serif");
  EXPECT_EQ(face_of("t'Tms Rmn'h20"), "Liberation Serif");
  EXPECT_EQ(face_of("t'Arial Cyr'h20"), "Liberation Sans");
  EXPECT_EQ(face_of("t'Helv'h20"), "Liberation Sans");
  // fontconfig alone would answer "Courier" with Nimbus Mono PS; the old name means Courier New.
  EXPECT_EQ(face_of("t'Courier'h20"), "Liberation Mono");
  EXPECT_EQ(face_of("t'LIBERATION MONO'h20"), "Liberation Mono");
  EXPECT_EQ(face_of("t'No Such Face Here'h20"), "(none)");
  EXPECT_EQ(face_of("t'Times New Roman Cyr'fh20"), "(none)") << "not a fixed-pitch face";
  // A missing face fails even with best fit, and the current font stays.
  ASSERT_GT(select_font("t'Liberation Mono'h40"), 0);
  const int mono = window_->font.table_index;
  EXPECT_EQ(select_font("t'No Such Face Here'h20b"), -1);
  EXPECT_EQ(window_->font.table_index, mono);
  EXPECT_EQ(window_->font.cell_height, 40);
}

TEST_F(Fonts, MalformedDescriptorsKeepTheCurrentFont) {
  ASSERT_GT(init_fonts(), 0);
  const int16_t serif = select_font("t'Times New Roman Cyr'h38w17ib");
  ASSERT_GT(serif, 0);
  const std::string face32(32, 'A');
  for (const std::string& bad : {std::string("t'Times New Roman Cyr h20"), "t'" + face32 + "'h20",
                                 std::string("h20n0"), std::string("n9999")}) {
    EXPECT_EQ(select_font(bad), -1) << bad;
    EXPECT_EQ(window_->font.table_index, serif - 1);
    EXPECT_EQ(window_->font.cell_height, 38);
    EXPECT_EQ(window_->font.cell_width, 17);
    EXPECT_TRUE(window_->font.italic);
  }
  EXPECT_EQ(select_font("n3 t'whatever"), 3);
}

// The program's descriptors: each must give exactly its cell. Ten '0' glyphs (an advance of their
// own in the design) measure the width; the same descriptor without its w, the face's own
// proportion, measures the height.
TEST_F(Fonts, EveryProgramDescriptorGivesItsExactCell) {
  ASSERT_GT(init_fonts(), 0);
  struct Cell {
    int height;
    int width;
    bool italic;
  };
  constexpr std::array<Cell, 14> kCells = {{{120, 40, true},
                                            {68, 20, true},
                                            {38, 17, true},
                                            {28, 9, true},
                                            {120, 40, false},
                                            {96, 30, false},
                                            {52, 18, false},
                                            {36, 10, false},
                                            {28, 8, false},
                                            {24, 7, false},
                                            {20, 6, false},
                                            {16, 5, false},
                                            {12, 4, false},
                                            {4, 3, false}}};
  const DesignFace faces[2] = {liberation_serif(false), liberation_serif(true)};
  EXPECT_NEAR(faces[0].average_width, 821, 1) << "Times New Roman's average width, 821/2048 em";

  for (const Cell& cell : kCells) {
    const DesignFace& face = faces[cell.italic ? 1 : 0];
    const std::string tail = std::string(cell.italic ? "i" : "") + "b";
    const std::string sized =
        "t'Times New Roman Cyr'h" + std::to_string(cell.height) + "w" + std::to_string(cell.width) + tail;
    SCOPED_TRACE(sized);
    ASSERT_GT(select_font(sized), 0);
    EXPECT_EQ(font_table()[window_->font.table_index].face_name, "Liberation Serif");
    EXPECT_EQ(window_->font.italic, cell.italic);
    const double width_advance = 10 * face.digit_advance * cell.width / face.average_width;
    EXPECT_NEAR(draw_at(10, 10, "0000000000"), width_advance, 1.0);

    ASSERT_GT(select_font("t'Times New Roman Cyr'h" + std::to_string(cell.height) + tail), 0);
    const double height_advance = 10 * face.digit_advance * cell.height / face.cell;
    EXPECT_NEAR(draw_at(10, 10, "0000000000"), height_advance, 1.0);
  }
}

TEST_F(Fonts, ResultFontSitsInItsCell) {
  ASSERT_GT(init_fonts(), 0);
  ASSERT_GT(select_font("t'Times New Roman Cyr'h120w40ib"), 0);
  EXPECT_TRUE(window_->font.italic);
  EXPECT_FALSE(window_->font.bold);
  const DesignFace face = liberation_serif(true);
  const double baseline = 100 + 120 * face.ascent / face.cell;  // 96.6 pixels below the top

  draw_at(50, 100, "HHH");
  const QRect h = ink_of(window_->surface);
  EXPECT_NEAR(h.bottom(), std::floor(baseline), 1.0) << "H stands on the baseline";
  EXPECT_NEAR(h.left(), 50, 3) << "italic serifs reach a little left of the corner";

  // Tall and deep glyphs stay inside the 120-pixel cell and nearly fill it.
  draw_at(50, 100, "(Й)");
  const QRect tall = ink_of(window_->surface);
  EXPECT_GE(tall.top(), 100);
  EXPECT_LE(tall.bottom(), 219);
  EXPECT_GT(tall.height(), 95);
}

TEST_F(Fonts, RotationIsReducedAndTurnsTheTextAboutItsCorner) {
  ASSERT_GT(init_fonts(), 0);
  ASSERT_GT(select_font("t'Times New Roman Cyr'h40w15b"), 0);

  set_text_rotation(3600);
  EXPECT_EQ(window_->font.escapement, 0);
  set_text_rotation(0);
  EXPECT_EQ(window_->font.escapement, 0);
  const int advance = draw_at(300, 300, "HHHH");
  QRect ink = ink_of(window_->surface);
  EXPECT_GE(ink.left(), 300);
  EXPECT_GE(ink.top(), 300);
  EXPECT_LE(ink.bottom(), 340);

  // Clockwise: the text runs down, its cell lies left of the position.
  set_text_rotation(-900);
  EXPECT_EQ(window_->font.escapement, -900);
  EXPECT_EQ(window_->font.cell_height, 40);
  EXPECT_EQ(draw_at(300, 300, "HHHH"), advance) << "the position moves by the unrotated width";
  ink = ink_of(window_->surface);
  EXPECT_LE(ink.right(), 300);
  EXPECT_GE(ink.left(), 259);
  EXPECT_GE(ink.top(), 299);
  EXPECT_GT(ink.bottom(), 300 + advance * 3 / 4);

  // Counter-clockwise, reduced from 4500: up, right of the position.
  set_text_rotation(4500);
  EXPECT_EQ(window_->font.escapement, 900);
  draw_at(300, 300, "HHHH");
  ink = ink_of(window_->surface);
  EXPECT_GE(ink.left(), 299);
  EXPECT_LE(ink.right(), 341);
  EXPECT_LE(ink.bottom(), 300);
  EXPECT_LT(ink.top(), 300 - advance * 3 / 4);

  set_text_rotation(-4500);
  EXPECT_EQ(window_->font.escapement, -900);
  // Fonts chosen later are created rotated.
  ASSERT_GT(select_font("t'Arial'h20"), 0);
  EXPECT_EQ(window_->font.escapement, -900);
}

TEST_F(Fonts, RasterFontsRefuseRotation) {
  ASSERT_GT(init_fonts(), 0);
  set_text_rotation(0);
  FontEntry fixed_size;
  fixed_size.type = FontType::kRaster;
  fixed_size.face_name = fixed_size.family = "Fixed";
  fixed_size.style = "Regular";
  fixed_size.point_size = fixed_size.height = 13;
  FontEntry scalable = font_table()[default_font_index()];
  replace_font_table({fixed_size, scalable});

  ASSERT_EQ(select_font("t'Fixed'"), 1);
  set_text_rotation(900);
  EXPECT_EQ(layer_status(), kStatusFailure);
  EXPECT_EQ(window_->font.table_index, 0);
  ASSERT_EQ(select_font("n2"), 2);
  EXPECT_EQ(window_->font.escapement, 0) << "the refused rotation did not apply";
  set_text_rotation(900);
  EXPECT_EQ(window_->font.escapement, 900);
}

}  // namespace
}  // namespace zorikan::display
