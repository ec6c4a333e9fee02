// Whole-window images: sizes at every depth, the exact BMP bytes that get_image writes, put_image's
// raster operations, clipping and round trip, and buffers that must be refused.
#include <gtest/gtest.h>

#include <QImage>

#include <cstring>
#include <vector>

#include "display/bmp_layout.h"
#include "display/colors.h"
#include "display/display.h"
#include "display/layer_status.h"
#include "display/window_registry.h"
#include "tests/support/screenless_window.h"

namespace zorikan {
namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 8;

TEST(BmpLayoutTest, SizesFollowTheTableAtEveryDepth) {
  struct Case {
    int bits_per_pixel;
    int64_t header_length;      // file header + information header + colour table
    int64_t window_size;        // 980 x 650
    int64_t three_by_two_size;  // 3 x 2: rows padded to 4 bytes
    int64_t five_by_one_size;
  };
  const Case cases[] = {
      {1, 62, 80662, 70, 66},    {4, 118, 319918, 126, 122}, {8, 1078, 638078, 1086, 1086},
      {16, 54, 1274054, 70, 66}, {24, 54, 1911054, 78, 70},  {32, 54, 2548054, 78, 74},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits_per_pixel);
    EXPECT_EQ(display::bmp_layout(980, 650, c.bits_per_pixel)->total_size, c.window_size);
    EXPECT_EQ(display::bmp_layout(980, 650, c.bits_per_pixel)->pixel_offset, c.header_length);
    EXPECT_EQ(display::bmp_layout(3, 2, c.bits_per_pixel)->total_size, c.three_by_two_size);
    EXPECT_EQ(display::bmp_layout(5, 1, c.bits_per_pixel)->total_size, c.five_by_one_size);
    // Rows are the width's bits rounded up to whole 32-bit words, at every width.
    for (int width = 1; width <= 70; ++width) {
      EXPECT_EQ(display::bmp_layout(width, 1, c.bits_per_pixel)->row_bytes,
                (width * c.bits_per_pixel + 31) / 32 * 4);
    }
  }
  EXPECT_FALSE(display::bmp_layout(10, 10, 15));
  EXPECT_FALSE(display::bmp_layout(0, 10, 32));
  EXPECT_FALSE(display::bmp_layout(10, 65537, 32));
}

TEST(BmpLayoutTest, HeadersWithColourTablesReadBack) {
  const auto layout = display::bmp_layout(5, 3, 8);
  std::vector<uint8_t> image(layout->total_size, 0xEE);
  display::write_bmp_headers(*layout, image);
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + 54 + 4 * 7, image.begin() + 54 + 4 * 9),
            (std::vector<uint8_t>{0xC0, 0xC0, 0xC0, 0, 0x80, 0x80, 0x80, 0}));  // palette 7 and 8
  EXPECT_EQ(std::vector<uint8_t>(image.begin() + 54 + 4 * 9, image.begin() + 54 + 4 * 10),
            (std::vector<uint8_t>{0xFF, 0, 0, 0}));  // palette 9: blue
  EXPECT_EQ(image[1078], 0xEE);                      // the table ends where the pixels begin
  const display::BmpHeaders read = display::read_bmp_headers(image);
  ASSERT_TRUE(read.layout) << read.error;
  EXPECT_EQ(read.layout->width, 5);
  EXPECT_EQ(read.layout->height, 3);
  EXPECT_EQ(read.layout->row_bytes, 8);
  EXPECT_EQ(read.layout->pixel_offset, 1078);

  const auto mono = display::bmp_layout(9, 1, 1);
  std::vector<uint8_t> mono_image(mono->total_size);
  display::write_bmp_headers(*mono, mono_image);
  EXPECT_EQ(std::vector<uint8_t>(mono_image.begin() + 54, mono_image.begin() + 62),
            (std::vector<uint8_t>{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}));
}

class ImagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = testing::open_screenless_window(kWidth, kHeight);
    ASSERT_TRUE(window_);
  }
  void TearDown() override {
    display::close_window(1);
    display::set_thread_active_window(nullptr);
  }

  uint32_t& pixel(int x, int y) { return reinterpret_cast<uint32_t*>(window_->surface.scanLine(y))[x]; }
  std::vector<uint8_t> surface_bytes() const {
    const QImage& surface = window_->surface;
    return {surface.constBits(), surface.constBits() + surface.sizeInBytes()};
  }
  // Every pixel a different opaque colour.
  void paint_gradient() {
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x)
        pixel(x, y) = 0xFF000000u | uint32_t(x * 16) << 16 | uint32_t(y * 30) << 8 | (x ^ y);
    }
  }
  // A 32-bit image of width x height, every pixel `bgr0` (blue, green, red, 0 as one little-endian word).
  static std::vector<uint8_t> solid_image(int width, int height, uint32_t bgr0) {
    const auto layout = display::bmp_layout(width, height, 32);
    std::vector<uint8_t> image(layout->total_size);
    display::write_bmp_headers(*layout, image);
    for (int64_t at = layout->pixel_offset; at < layout->total_size; at += 4)
      std::memcpy(&image[at], &bgr0, 4);
    return image;
  }

  std::shared_ptr<display::ChildWindow> window_;
};

TEST_F(ImagesTest, ImageSizeIsThatOfTheWindowDepth) {
  EXPECT_EQ(image_size(0, 0, 979, 649), 2548054);
  EXPECT_EQ(image_size(979, 649, 0, 0), 2548054);
  EXPECT_EQ(image_size(-32768, 0, 32767, 0), 4 * 65536 + 54);
  EXPECT_EQ(image_size(-32768, -32768, 32767, 32767), -1);  // more than 4 bytes can count
  EXPECT_EQ(display::layer_status(), display::kStatusBadArgument);

  display::close_window(1);
  EXPECT_EQ(image_size(0, 0, 979, 649), -1);
  std::vector<uint8_t> buffer(100, 0xAB);
  get_image(0, 0, 1, 1, buffer);
  EXPECT_EQ(buffer, std::vector<uint8_t>(100, 0xAB));
  EXPECT_EQ(put_image(0, 0, solid_image(2, 2, 0), 3), 0);
}

TEST_F(ImagesTest, GetImageWritesHeadersAndBottomUpRowsExactly) {
  const int32_t colours[2][3] = {{0x030201, 0x060504, 0x090807}, {0x0C0B0A, 0x0F0E0D, 0x121110}};
  for (int row = 0; row < 2; ++row) {
    for (int column = 0; column < 3; ++column) set_pixel_rgb(2 + column, 1 + row, colours[row][column]);
  }
  const std::vector<uint8_t> expected = {
      'B',  'M',  78,   0, 0,    0,    0,    0, 0,    0,    54,   0, 0, 0,  // file header
      40,   0,    0,    0, 3,    0,    0,    0, 2,    0,    0,    0, 1, 0,
      32,   0,    0,    0, 0,    0,  // size, width, height, planes, depth
      24,   0,    0,    0, 0,    0,    0,    0, 0,    0,    0,    0, 0, 0,
      0,    0,    0,    0, 0,    0,                                    // pixel bytes, resolutions, colours
      0x0C, 0x0B, 0x0A, 0, 0x0F, 0x0E, 0x0D, 0, 0x12, 0x11, 0x10, 0,   // surface row 2
      0x03, 0x02, 0x01, 0, 0x06, 0x05, 0x04, 0, 0x09, 0x08, 0x07, 0};  // surface row 1
  ASSERT_EQ(image_size(2, 1, 4, 2), 78);
  std::vector<uint8_t> buffer(78, 0xAB);
  get_image(2, 1, 4, 2, buffer);
  EXPECT_EQ(display::layer_status(), display::kStatusOk);
  EXPECT_EQ(buffer, expected);

  std::fill(buffer.begin(), buffer.end(), 0xAB);
  get_image(4, 2, 2, 1, buffer);
  EXPECT_EQ(display::layer_status(), display::kStatusCorrected);
  EXPECT_EQ(buffer, expected);

  std::vector<uint8_t> short_buffer(77, 0xAB);
  get_image(2, 1, 4, 2, short_buffer);
  EXPECT_EQ(display::layer_status(), display::kStatusBadArgument);
  EXPECT_EQ(short_buffer, std::vector<uint8_t>(77, 0xAB));

  // Beyond the surface the image is black.
  std::vector<uint8_t> corner(54 + 4 * 4, 0xAB);
  pixel(kWidth - 1, kHeight - 1) = 0xFF123456;
  get_image(kWidth - 1, kHeight - 1, kWidth, kHeight, corner);
  EXPECT_EQ(display::layer_status(), display::kStatusClipped);
  EXPECT_EQ(std::vector<uint8_t>(corner.begin() + 54, corner.end()),
            (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0x56, 0x34, 0x12, 0, 0, 0, 0, 0}));
}

TEST_F(ImagesTest, PutImageRestoresWhatGetImageSavedAndClips) {
  paint_gradient();
  const std::vector<uint8_t> saved = surface_bytes();
  const auto size = static_cast<size_t>(image_size(0, 0, kWidth - 1, kHeight - 1));
  // The program's buffer may start at any address: each misalignment takes its own path.
  std::vector<uint8_t> storage(size + 3);
  std::span<uint8_t> image;
  for (size_t misalignment = 0; misalignment < 4; ++misalignment) {
    SCOPED_TRACE(misalignment);
    image = std::span(storage).subspan(misalignment, size);
    get_image(0, 0, kWidth - 1, kHeight - 1, image);
    for (size_t at = 54; at < image.size(); at += 4) ASSERT_EQ(image[at + 3], 0) << at;  // the reserved byte
    window_->surface.fill(0xFF000000);
    EXPECT_EQ(put_image(0, 0, image, 3), 1);
    EXPECT_EQ(display::layer_status(), display::kStatusOk);
    EXPECT_EQ(surface_bytes(), saved);  // the fourth byte is 0xFF again although the image holds 0
  }
  EXPECT_TRUE(window_->pending_damage.contains(window_->surface.rect()));

  const QImage before = window_->surface.copy();
  EXPECT_EQ(put_image(-2, 3, image, 3), 1);
  EXPECT_EQ(display::layer_status(), display::kStatusClipped);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool covered = x <= kWidth - 3 && y >= 3;
      EXPECT_EQ(pixel(x, y), covered ? before.pixel(x + 2, y - 3) : before.pixel(x, y)) << x << "," << y;
    }
  }
  const std::vector<uint8_t> shifted = surface_bytes();
  EXPECT_EQ(put_image(kWidth, 0, image, 3), 1);
  EXPECT_EQ(display::layer_status(), display::kStatusNothingDrawn);
  EXPECT_EQ(surface_bytes(), shifted);

  // The program saves a smaller area into its whole-window buffer and puts the whole buffer back.
  paint_gradient();
  std::vector<uint8_t> buffer(image_size(0, 0, kWidth - 1, kHeight - 1), 0);
  get_image(0, 0, kWidth - 1, kHeight - 3, buffer);
  EXPECT_EQ(put_image(0, 2, buffer, 3), 1);
  QImage expected(kWidth, kHeight, QImage::Format_RGB32);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      expected.setPixel(x, y,
                        0xFF000000u | uint32_t(x * 16) << 16 | uint32_t((y < 2 ? y : y - 2) * 30) << 8 |
                            (x ^ (y < 2 ? y : y - 2)));
    }
  }
  EXPECT_EQ(window_->surface, expected);
}

TEST_F(ImagesTest, EveryActionCodeCombinesImageSurfaceAndPattern) {
  constexpr uint32_t S = 0x0FF0AA;  // image pixel, 0x00RRGGBB: stored blue AA, green F0, red 0F
  constexpr uint32_t D = 0x3355CC;  // surface pixel
  constexpr uint32_t P = 0x6699F0;  // the drawing colour, the solid fill pattern
  set_draw_color_rgb(0xF09966);     // P as RGB 0x00BBGGRR
  const std::vector<uint8_t> image = solid_image(1, 1, S);
  const struct {
    int32_t action;
    uint32_t result;
  } cases[] = {
      {3, S},          {32, S},      {2, ~S},       {8, ~S},       {0, S | D},
      {134, S | D},    {1, S & D},   {198, S & D},  {4, S ^ D},    {70, S ^ D},
      {9, ~D},         {33, P},      {66, 0},       {73, P ^ D},   {98, 0xFFFFFF},
      {166, ~(S | D)}, {202, P & S}, {550, ~S | D}, {808, S & ~D}, {2569, P | ~S | D},
  };
  for (const auto& c : cases) {
    pixel(5, 5) = 0xFF000000 | D;
    pixel(6, 5) = 0xFF000000 | D;
    EXPECT_EQ(put_image(5, 5, image, c.action), 1) << c.action;
    EXPECT_EQ(pixel(5, 5), 0xFF000000 | (c.result & 0xFFFFFF)) << c.action;
    EXPECT_EQ(pixel(6, 5), 0xFF000000 | D) << c.action;
  }

  // A 24-bit image: three bytes a pixel, rows padded to 4 bytes (the padding here is 0x77).
  const auto layout = display::bmp_layout(3, 2, 24);
  std::vector<uint8_t> rgb24(layout->total_size, 0x77);
  display::write_bmp_headers(*layout, rgb24);
  const uint8_t rows[2][9] = {{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09},   // bottom row
                              {0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19}};  // top row
  std::memcpy(&rgb24[54], rows[0], 9);
  std::memcpy(&rgb24[54 + 12], rows[1], 9);
  window_->surface.fill(0xFF000000);
  EXPECT_EQ(put_image(1, 1, rgb24, 3), 1);
  EXPECT_EQ(pixel(1, 1), 0xFF131211u);
  EXPECT_EQ(pixel(3, 1), 0xFF191817u);
  EXPECT_EQ(pixel(1, 2), 0xFF030201u);
  EXPECT_EQ(pixel(3, 2), 0xFF090807u);
  EXPECT_EQ(pixel(4, 1), 0xFF000000u);
  EXPECT_EQ(put_image(1, 1, rgb24, 4), 1);  // XOR with itself
  EXPECT_EQ(pixel(2, 2), 0xFF000000u);
}

TEST_F(ImagesTest, UnknownActionCodesAndMalformedBuffersChangeNothing) {
  paint_gradient();
  const std::vector<uint8_t> untouched = surface_bytes();
  const std::vector<uint8_t> good = solid_image(2, 2, 0x00FFFFFF);
  for (int32_t action : {5, -1, 10, 99, 65536 + 3}) {
    EXPECT_EQ(put_image(1, 1, good, action), 0) << action;
    EXPECT_EQ(display::layer_status(), display::kStatusBadArgument);
  }

  auto with = [&](int at, std::vector<uint8_t> field) {
    std::vector<uint8_t> image = good;
    std::copy(field.begin(), field.end(), image.begin() + at);
    return image;
  };
  const struct {
    std::vector<uint8_t> image;
    const char* error;  // of read_bmp_headers; null when the headers are sound but the depth is not drawn
  } cases[] = {
      {std::vector<uint8_t>(good.begin(), good.begin() + 53),
       "image length is 53 bytes, shorter than the 54 bytes of its headers"},
      {with(0, {'B', 'N'}), "file header signature is not \"BM\""},
      {with(14, {12, 0, 0, 0}), "information header size is 12, expected 40"},
      {with(18, {0, 0, 0, 0}), "width is 0, expected 1 to 65536"},
      {with(22, {0xFE, 0xFF, 0xFF, 0xFF}), "height is -2, expected 1 to 65536"},
      {with(28, {7, 0}), "bits per pixel is 7, expected 1, 4, 8, 16, 24 or 32"},
      {with(28, {8, 0}), "pixel data offset is 54, expected at least 1078"},
      {with(30, {3, 0, 0, 0}), "compression is 3, expected 0 (uncompressed)"},
      {with(10, {40, 0, 0, 0}), "pixel data offset is 40, expected at least 54"},
      {with(10, {0xFF, 0xFF, 0xFF, 0xFF}),
       "pixel data of 16 bytes at offset 4294967295 runs past the end of the 70-byte image"},
      {std::vector<uint8_t>(good.begin(), good.end() - 1),
       "pixel data of 16 bytes at offset 54 runs past the end of the 69-byte image"},
      {with(28, {16, 0}), nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(display::read_bmp_headers(c.image).error, c.error ? c.error : "");
    EXPECT_EQ(put_image(1, 1, c.image, 3), 0) << (c.error ? c.error : "16 bits");
    EXPECT_EQ(display::layer_status(), display::kStatusBadArgument);
  }
  EXPECT_EQ(surface_bytes(), untouched);
}

}  // namespace
}  // namespace zorikan
