// Font descriptors: parsing of every option and the choice of a table entry, over tables the tests
// build themselves (this machine offers no raster fonts).
#include "display/font_descriptor.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "common/cp1251.h"
#include "display/display.h"
#include "display/font_table.h"
#include "display/window_registry.h"

namespace zorikan::display {
namespace {

FontEntry raster(std::string face, int height, int width = 7) {
  FontEntry entry;
  entry.type = FontType::kRaster;
  entry.face_name = face;
  entry.family = face;
  entry.style = "Regular";
  entry.point_size = height;
  entry.height = height;
  entry.width = width;
  return entry;
}

FontEntry scalable(std::string face, uint8_t pitch = kVariablePitch, uint8_t charset = kAnsiCharset) {
  FontEntry entry;
  entry.type = FontType::kScalable;
  entry.face_name = face;
  entry.family = face;
  entry.height = 16;
  entry.width = 7;
  entry.pitch_and_family = pitch;
  entry.charset = charset;
  return entry;
}

FontRequest parsed(std::string_view descriptor) {
  auto request = parse_font_descriptor(descriptor);
  EXPECT_TRUE(request.has_value()) << descriptor;
  return request.value_or(FontRequest{});
}

std::optional<int> chosen(std::string_view descriptor, const std::vector<FontEntry>& table,
                          int current = -1) {
  const auto choice = match_font(parsed(descriptor), table, current);
  if (!choice) return std::nullopt;
  return choice->index;
}

TEST(FontDescriptor, ReadsEveryOptionInEitherCase) {
  for (std::string_view descriptor : {"t'Arial'h20w10iueb", "T'Arial'H20W10IUEB"}) {
    const FontRequest request = parsed(descriptor);
    EXPECT_EQ(request.face, "Arial");
    EXPECT_TRUE(request.height_given);
    EXPECT_EQ(request.height, 20);
    EXPECT_TRUE(request.width_given);
    EXPECT_EQ(request.width, 10);
    EXPECT_TRUE(request.italic && request.underline && request.bold && request.best_fit);
    EXPECT_FALSE(request.font_number.has_value());
  }
  const FontRequest plain = parsed("h7");
  EXPECT_TRUE(plain.face.empty());
  EXPECT_FALSE(plain.width_given);
  EXPECT_FALSE(plain.italic || plain.underline || plain.bold || plain.best_fit);
}

TEST(FontDescriptor, NumbersAreTheDigitsRightAfterTheLetter) {
  // Digits not right after h or w, blanks and unknown letters are skipped.
  const FontRequest request = parsed("12 h3x45 w 9 zq  ");
  EXPECT_EQ(request.height, 3);
  EXPECT_TRUE(request.width_given);
  EXPECT_EQ(request.width, 0);
  EXPECT_EQ(parsed("h").height, 0);
  EXPECT_EQ(parsed("h99999999999").height, 1'000'000);
}

TEST(FontDescriptor, OldFaceNamesAndCyrillicFaces) {
  EXPECT_EQ(parsed("t'tms rmn'").face, "Times New Roman");
  EXPECT_EQ(parsed("t'COURIER'").face, "Courier New");
  EXPECT_EQ(parsed("t'Helv'").face, "Arial");
  EXPECT_EQ(parsed("t'Courier New'").face, "Courier New");

  const FontRequest cyrillic = parsed("t'Times New Roman Cyr'h120w40ib");
  EXPECT_EQ(cyrillic.face, "Times New Roman");
  EXPECT_TRUE(cyrillic.cyrillic);
  EXPECT_EQ(cyrillic.height, 120);
  EXPECT_EQ(cyrillic.width, 40);
  EXPECT_TRUE(cyrillic.italic && cyrillic.best_fit && !cyrillic.bold);
  const FontRequest old_cyrillic = parsed("t'Helv Cyr'");
  EXPECT_EQ(old_cyrillic.face, "Arial");
  EXPECT_TRUE(old_cyrillic.cyrillic);
  EXPECT_FALSE(parsed("t'Arial'").cyrillic);

  // A Windows-1251 face name arrives in UTF-8.
  static constexpr auto kFace = cp1251<"t'Шрифт'">();
  EXPECT_EQ(parsed(kFace.view()).face, "Шрифт");

  // Face names compare without regard to case, Cyrillic letters too.
  for (const auto& [a, b, same] : {std::tuple{"Liberation Serif", "LIBERATION serif", true},
                                   std::tuple{"Arial", "Arial ", false}, std::tuple{"Arial", "Arian", false},
                                   std::tuple{"Шрифт", "шРИФТ", true}, std::tuple{"Шрифт", "Шрифт A", false},
                                   std::tuple{"Z[", "z{", false}, std::tuple{"", "", true}}) {
    EXPECT_EQ(same_face_name(a, b), same) << a << " / " << b;
  }
}

TEST(FontDescriptor, MalformedFacesFailTheWholeDescriptor) {
  const std::string face31(31, 'x');
  const std::string face32(32, 'x');
  EXPECT_EQ(parsed("t'" + face31 + "'h12").face, face31);
  EXPECT_FALSE(parse_font_descriptor("t'" + face32 + "'h12"));
  EXPECT_FALSE(parse_font_descriptor("t'Arial h12"));
  EXPECT_FALSE(parse_font_descriptor("tArial'h12"));
  EXPECT_FALSE(parse_font_descriptor("h12t"));
  EXPECT_FALSE(parse_font_descriptor("t''h12"));
}

TEST(FontDescriptor, PitchAndTypeOptionsCancelInPairs) {
  EXPECT_EQ(parsed("f").pitch, PitchRequest::kFixed);
  EXPECT_EQ(parsed("p").pitch, PitchRequest::kProportional);
  EXPECT_EQ(parsed("fp").pitch, PitchRequest::kAny);
  EXPECT_EQ(parsed("pf").pitch, PitchRequest::kAny);
  EXPECT_EQ(parsed("fpf").pitch, PitchRequest::kFixed);
  EXPECT_EQ(parsed("r").type, TypeRequest::kRaster);
  EXPECT_EQ(parsed("v").type, TypeRequest::kScalable);
  EXPECT_EQ(parsed("rv").type, TypeRequest::kAny);
  EXPECT_EQ(parsed("vr").type, TypeRequest::kAny);

  const std::vector<FontEntry> table = {scalable("Mono", kFixedPitch), scalable("Serif"),
                                        raster("Serif", 12)};
  EXPECT_EQ(chosen("f", table), 0);
  EXPECT_EQ(chosen("p", table), 1);
  EXPECT_EQ(chosen("fp", table), 0);
  EXPECT_EQ(chosen("r", table), 2);
  EXPECT_EQ(chosen("rv", table), 0);
  EXPECT_EQ(chosen("vr", table), 0);
}

TEST(FontDescriptor, FontNumberTakesThatEntryAndIgnoresTheRest) {
  const std::vector<FontEntry> table = {scalable("A"), scalable("B"), raster("C", 12), scalable("D")};
  const FontRequest request = parsed("n3t'unclosed");
  EXPECT_EQ(request.font_number, 3);
  EXPECT_EQ(chosen("n3t'unclosed", table), 2);
  EXPECT_EQ(chosen("n4", table), 3);
  EXPECT_EQ(chosen("n0", table), std::nullopt);
  EXPECT_EQ(chosen("n", table), std::nullopt);
  EXPECT_EQ(chosen("n5", table), std::nullopt);
  // Sizes given before n are the cell to create it at.
  const auto choice = match_font(parsed("h30w12n1"), table, -1);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->height, 30);
  EXPECT_EQ(choice->width, 12);
}

TEST(FontMatching, RasterFontsMatchExactlyOrByBestFit) {
  const std::vector<FontEntry> table = {raster("R", 10), raster("R", 12), raster("R", 15)};
  // Scores 3, 1 and 2: the 12-pixel font.
  EXPECT_EQ(chosen("h13b", table), 1);
  EXPECT_EQ(chosen("h13", table), std::nullopt);
  EXPECT_EQ(chosen("h15", table), 2);
  EXPECT_EQ(chosen("", table), 0);
  // Equal scores: the first.
  EXPECT_EQ(chosen("h11b", table), 0);
  // Width counts too: scores 6, 1 and 1, the first of the two.
  const std::vector<FontEntry> widths = {raster("R", 15, 4), raster("R", 15, 9), raster("R", 15, 11)};
  EXPECT_EQ(chosen("h15w10b", widths), 1);
  EXPECT_EQ(chosen("h15w10", widths), std::nullopt);
  EXPECT_EQ(chosen("h15w11", widths), 2);
  // A raster font is created at its own size.
  const auto choice = match_font(parsed("h13b"), table, -1);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->height, 12);
}

TEST(FontMatching, BestFitFallsBackToTheCurrentFontAtItsTableSize) {
  std::vector<FontEntry> table = {raster("R", 10), scalable("S")};
  table[1].height = 16;
  table[1].width = 6;
  // Score 190 is near enough, 200 is not.
  EXPECT_EQ(chosen("t'R'h200b", table, 1), 0);
  const auto fallback = match_font(parsed("t'R'h210b"), table, 1);
  ASSERT_TRUE(fallback);
  EXPECT_EQ(fallback->index, 1);
  EXPECT_EQ(fallback->height, 16);
  EXPECT_EQ(fallback->width, 6);
  EXPECT_EQ(chosen("t'R'h210b", table, -1), std::nullopt);
  EXPECT_EQ(chosen("t'R'h210", table, 1), std::nullopt);
  // A face nothing has fails even with best fit: the callers' own fallbacks take over.
  EXPECT_EQ(chosen("t'Missing'h10b", table, 0), std::nullopt);
  EXPECT_EQ(chosen("t'Missing'h10", table, 0), std::nullopt);
}

TEST(FontMatching, ScalableCandidatesAreTakenAtOnceAtTheRequestedCell) {
  const std::vector<FontEntry> table = {raster("Face", 12), scalable("Other"), scalable("face"),
                                        raster("Face", 13)};
  // The exact raster 13 comes after the scalable face: the scalable one is taken.
  const auto choice = match_font(parsed("t'FACE'h13w5b"), table, -1);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->index, 2);
  EXPECT_EQ(choice->height, 13);
  EXPECT_EQ(choice->width, 5);
  const auto own_size = match_font(parsed("t'Other'"), table, -1);
  ASSERT_TRUE(own_size);
  EXPECT_EQ(own_size->height, 0);
  EXPECT_EQ(own_size->width, 0);
  EXPECT_EQ(chosen("t'Face'h12", table), 0);
}

TEST(FontMatching, CyrillicFaceNeedsTheCyrillicCharacterSet) {
  const std::vector<FontEntry> table = {scalable("Serif"),
                                        scalable("Serif", kVariablePitch, kCyrillicCharset)};
  EXPECT_EQ(chosen("t'Serif'", table), 0);
  EXPECT_EQ(chosen("t'Serif Cyr'", table), 1);
  EXPECT_EQ(chosen("t'Serif cyr'", table), 1);
  EXPECT_EQ(chosen("t'Sans Cyr'", table), std::nullopt);
}

class InjectedRasterTable : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = create_window(1, "t");
    ASSERT_TRUE(window_);
    window_->surface = QImage(200, 100, QImage::Format_RGB32);
    window_->surface.fill(0);
    set_thread_active_window(window_);
  }
  void TearDown() override {
    set_thread_active_window(nullptr);
    close_window(1);
  }
  std::shared_ptr<ChildWindow> window_;
};

TEST_F(InjectedRasterTable, SelectFontChoosesTheNearestRasterFontOnlyWithBestFit) {
  EXPECT_EQ(select_font("h12"), -1) << "no table yet";
  replace_font_table({raster("Fixed", 10), raster("Fixed", 12), raster("Fixed", 15)});
  EXPECT_EQ(default_font_index(), 2);
  EXPECT_EQ(select_font("h13b"), 2);
  EXPECT_EQ(window_->font.table_index, 1);
  EXPECT_TRUE(window_->font.raster);
  EXPECT_EQ(select_font("h13"), -1);
  EXPECT_EQ(window_->font.table_index, 1) << "a failed choice keeps the current font";
  EXPECT_EQ(select_font("h15          "), 3);
  EXPECT_EQ(select_font("n0"), -1);
  EXPECT_EQ(select_font("n1"), 1);
  EXPECT_EQ(window_->font.table_index, 0);
}

}  // namespace
}  // namespace zorikan::display
