// The glyph file zorikan.sym: the shipped file is its generator's output and keeps the figure rules;
// the reader takes the layout as written, and a bad file ends the program with a report naming the
// file, the line and what is wrong.
#include "session/glyph_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <queue>
#include <set>
#include <string>
#include <utility>

#include "services/glyph_set.h"
#include "tests/support/temp_work_dir.h"
#include "tests/support/xvfb_server.h"

namespace zorikan {
namespace {

using ::testing::HasSubstr;

const std::filesystem::path kShippedFile = std::filesystem::path(ZORIKAN_SOURCE_DIR) / "data" / "zorikan.sym";

std::string file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The generator is built beside the tests' directory: <build>/make_glyph_file, <build>/tests/this.
std::filesystem::path generator_path() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "make_glyph_file";
}

TEST(GlyphFile, ShippedFileIsItsGeneratorsOutput) {
  testing::TempWorkDir dir;
  const std::filesystem::path generator = generator_path();
  ASSERT_TRUE(std::filesystem::exists(generator)) << generator << " is not built";
  const pid_t pid = testing::spawn_program({generator.string(), (dir.path() / "made.sym").string()}, {});
  ASSERT_GT(pid, 0);
  ASSERT_EQ(testing::wait_for_exit(pid, 60), 0);
  const std::string made = file_bytes(dir.path() / "made.sym");
  EXPECT_FALSE(made.empty());
  EXPECT_TRUE(made == file_bytes(kShippedFile))
      << "data/zorikan.sym differs from what make_glyph_file writes";
}

// The number of 4-connected groups of tiles of a glyph whose points lie on a grid of pitch `pitch`.
int tile_groups(const std::set<std::pair<int, int>>& points, int pitch) {
  std::set<std::pair<int, int>> unseen = points;
  int groups = 0;
  while (!unseen.empty()) {
    ++groups;
    std::queue<std::pair<int, int>> next;
    next.push(*unseen.begin());
    unseen.erase(unseen.begin());
    while (!next.empty()) {
      const auto [row, column] = next.front();
      next.pop();
      for (const auto& neighbour : {std::pair{row - pitch, column}, std::pair{row + pitch, column},
                                    std::pair{row, column - pitch}, std::pair{row, column + pitch}}) {
        if (unseen.erase(neighbour) == 1) next.push(neighbour);
      }
    }
  }
  return groups;
}

TEST(GlyphFile, ShippedGlyphsAreSolidFiguresOfAboutTheSameSizeInsideThePictureAndTheirHalf) {
  testing::TempWorkDir dir;
  std::filesystem::copy_file(kShippedFile, dir.path() / "zorikan.sym");
  read_glyph_file();
  for (int k = 1; k <= kGlyphCount; ++k) {
    SCOPED_TRACE("glyph " + std::to_string(k));
    const int count = glyph_count[k - 1];
    ASSERT_GE(count, 1);
    ASSERT_LE(count, kMaxGlyphPoints);
    const int tile = 2 * k;
    const int left = 20 / k * k;
    const int right = 450 / k * k;
    std::set<std::pair<int, int>> points;
    int top = 10000, bottom = -10000, first_column = 10000, last_column = -10000;
    for (int j = 0; j < count; ++j) {
      const GlyphPoint p = glyph_points[k - 1][j];
      points.insert({p.row, p.column});
      top = std::min(top, p.row + 1);
      bottom = std::max(bottom, p.row + tile);
      first_column = std::min(first_column, p.column + 1);
      last_column = std::max(last_column, p.column + tile);
      // Tiles start where stripes start.
      EXPECT_EQ(p.column % k, 0) << "point " << j;
    }
    ASSERT_EQ(points.size(), static_cast<size_t>(count)) << "two points on one tile";
    for (const auto& [row, column] : points) {
      EXPECT_EQ((row - points.begin()->first) % tile, 0) << "tiles on a grid of pitch 2k";
      EXPECT_EQ((column - points.begin()->second) % tile, 0) << "tiles on a grid of pitch 2k";
    }
    EXPECT_EQ(tile_groups(points, tile), 1) << "the tiles abut into one solid figure";
    EXPECT_GE(top, 20);
    EXPECT_LE(bottom, 649);
    EXPECT_GE(first_column + left, 0);
    EXPECT_LT(last_column + left, 430) << "left placement";
    EXPECT_GE(first_column + right, 490) << "right placement in the right half";
    EXPECT_LT(last_column + right, 980) << "right placement";
    EXPECT_NEAR(bottom - top + 1, 360, 2 * tile) << "about 360 pixels high";
    EXPECT_GE(last_column - first_column + 1, 150);
    EXPECT_LE(last_column - first_column + 1, 250);
  }
}

std::string crlf_lines(std::initializer_list<std::string> lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

TEST(GlyphFile, ReaderTakesCountsFromColumns17To24AndPointsInFileOrderAndAZeroCountTakesOneLine) {
  testing::TempWorkDir dir;
  std::string file = crlf_lines({
      "label 1234567890       0 ignored after column 24",
      "   9   9 this line only holds the place of glyph 1",
      "glyph two:     1      11",
      "   1   2   3   4   5   6   7   8   9  10  11  12  13  14  15  16  17  18  19  20",
      "  -1 9 9",
  });
  for (int k = 3; k <= 9; ++k)
    file += crlf_lines({"               " + std::to_string(k) + "       1", "  10  20"});
  dir.write("zorikan.sym", file);
  read_glyph_file();
  EXPECT_EQ(glyph_count[0], 0);
  ASSERT_EQ(glyph_count[1], 11);
  for (int j = 0; j < 10; ++j) {
    EXPECT_EQ(glyph_points[1][j].row, 2 * j + 1);
    EXPECT_EQ(glyph_points[1][j].column, 2 * j + 2);
  }
  EXPECT_EQ(glyph_points[1][10].row, -1);
  EXPECT_EQ(glyph_points[1][10].column, 99) << "blanks inside a field are ignored";
  for (int k = 3; k <= 9; ++k) {
    EXPECT_EQ(glyph_count[k - 1], 1);
    EXPECT_EQ(glyph_points[k - 1][0].row, 10);
    EXPECT_EQ(glyph_points[k - 1][0].column, 20);
  }
  EXPECT_EQ(dir.read("zorikan.sym"), file) << "the reader never writes";
}

// A file of nine glyphs of one point each, with `replace` applied: line number (1-based) -> text.
std::string one_point_glyphs(const std::vector<std::pair<int, std::string>>& replace = {}, int glyphs = 9) {
  std::vector<std::string> lines;
  for (int k = 1; k <= glyphs; ++k) {
    lines.push_back("digit" + std::string(11, ' ') + "       1");
    lines.push_back(" 100 200");
  }
  for (const auto& [line, text] : replace) lines[static_cast<size_t>(line - 1)] = text;
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

TEST(GlyphFile, BadFileEndsTheProgramWithAReportOfTheFileLineAndWhatIsWrong) {
  testing::TempWorkDir dir;
  const auto ends_with = [&](const std::string& bytes, const std::string& report) {
    dir.write("zorikan.sym", bytes);
    EXPECT_EXIT(read_glyph_file(), ::testing::ExitedWithCode(1), HasSubstr(report)) << report;
  };
  ends_with("", "zorikan.sym, line 1: end of file");
  ends_with(one_point_glyphs({}, 8), "zorikan.sym, line 17: end of file");
  // Glyph 9 counts 25 points, three lines' worth, and the file ends after the first.
  ends_with(one_point_glyphs({{17, "digit" + std::string(11, ' ') + "      25"}}),
            "zorikan.sym, line 19: end of file");
  // Glyph 2 counts 25 points: its second point line is glyph 3's count line.
  ends_with(one_point_glyphs({{3, "digit" + std::string(11, ' ') + "      25"}}),
            "zorikan.sym, line 5, columns 1-4: \"digi\" is not an integer");
  ends_with(one_point_glyphs({{2, "  1x 200"}}),
            "zorikan.sym, line 2, columns 1-4: \"1x\" is not an integer");
  ends_with(one_point_glyphs({{5, "digit" + std::string(11, ' ') + "  twelve"}}),
            "zorikan.sym, line 5, columns 17-24: ");
  // Counts beyond the glyph arrays: the report names the glyph and its count.
  ends_with(one_point_glyphs({{3, "digit" + std::string(11, ' ') + "   10001"}}),
            "zorikan.sym, line 3, columns 17-24: glyph 2 has a point count of 10001; it must be 0 to 10000");
  ends_with(one_point_glyphs({{17, "digit" + std::string(11, ' ') + "      -1"}}),
            "zorikan.sym, line 17, columns 17-24: glyph 9 has a point count of -1; it must be 0 to 10000");

  // A missing file is not created: the report says where it was expected. An empty one ends at line 1.
  std::filesystem::remove(dir.path() / "zorikan.sym");
  EXPECT_EXIT(read_glyph_file(), ::testing::ExitedWithCode(1),
              HasSubstr("zorikan.sym: file not found; the glyph file is expected at " +
                        (std::filesystem::current_path() / "zorikan.sym").string()));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "zorikan.sym"));
  dir.write("zorikan.sym", "");
  EXPECT_EXIT(read_glyph_file(), ::testing::ExitedWithCode(1), HasSubstr("zorikan.sym, line 1: end of file"));
}

}  // namespace
}  // namespace zorikan
