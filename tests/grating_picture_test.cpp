// The picture painter on a small image: the grating and glyph tiles that overlap every edge of the
// picture's area are clipped to it, a tile wholly outside leaves nothing, and nothing is written beyond
// the image.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "services/grating_picture.h"

namespace zorikan {
namespace {

TEST(GratingPicture, ClipsTheGratingAndTheTilesAtEveryEdgeOfTheArea) {
  constexpr int32_t kWidth = 7;
  constexpr int32_t kHeight = 5;
  constexpr int32_t kTop = 2;  // the image shows window rows 2 ... 6
  constexpr size_t kImageBytes = kImageHeaderBytes + kWidth * kHeight * 4;
  std::vector<uint8_t> buffer(kImageBytes + 16, 0x5A);
  // Tiles of pattern size 2 (4 x 4 pixels) past the left and top edges, past the right and bottom edges,
  // below the area and left of it.
  const std::array<GlyphPoint, 4> points = {{{0, -3}, {4, 4}, {20, 1}, {-9, 0}}};

  const ImageRows rows = image_rows(std::span(buffer).first(kImageBytes), kWidth, kHeight, kTop);
  int32_t rows_done = 0;
  int32_t points_done = 0;
  EXPECT_TRUE(paint_grating(rows, rows.area(), 2, [&](int32_t) {
    ++rows_done;
    return true;
  }));
  EXPECT_TRUE(paint_glyph(rows, rows.area(), 2, 0, points, [&] {
    ++points_done;
    return true;
  }));

  // '#' white, '.' black; window rows 2 ... 6 from the top.
  const std::array<std::string, kHeight> expected = {"..#..##", "##.##..", "###..##", "...####", ".##..##"};
  for (int32_t y = 0; y < kHeight; ++y) {
    std::string row;
    for (int32_t x = 0; x < kWidth; ++x) {
      const uint8_t* pixel = buffer.data() + kImageHeaderBytes + ((kHeight - 1 - y) * kWidth + x) * 4;
      const bool white = pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 255 && pixel[3] == 0;
      const bool black = pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0 && pixel[3] == 0;
      row += white ? '#' : black ? '.' : '?';
    }
    EXPECT_EQ(row, expected[static_cast<size_t>(y)]) << "window row " << y + kTop;
  }
  EXPECT_EQ(rows_done, kHeight);
  EXPECT_EQ(points_done, 4);
  for (size_t i = kImageBytes; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], 0x5A) << "byte " << i;
  for (size_t i = 0; i < kImageHeaderBytes; ++i) EXPECT_EQ(buffer[i], 0x5A) << "header byte " << i;
}

}  // namespace
}  // namespace zorikan
