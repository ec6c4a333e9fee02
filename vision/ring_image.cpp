// The gap ring rendered by area; see ring_image.h.
#include "vision/ring_image.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "display/display.h"
#include "vision/ring_coverage.h"

namespace zorikan {
namespace {

constexpr size_t kBytesPerPixel = kImageBytesPerPixel;

// The sRGB transfer function, from encoded (0 to 1) to linear luminance.
double decode(double encoded) {
  return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

double encode(double linear) {
  return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

const std::array<double, 256>& luminance_table() {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> values{};
    for (size_t v = 0; v < values.size(); ++v) values[v] = decode(v / 255.0);
    return values;
  }();
  return table;
}

// The window columns (or rows) first ... last that a disc of `radius` about `centre` touches, within
// 0 ... size - 1; first > last when none. Reals are held in range before they become integers, so a ring
// of any size (or NaN) gives a valid span.
std::pair<int32_t, int32_t> span_of(double centre, double radius, int32_t size) {
  const double first = std::floor(centre - radius);
  const double last = std::ceil(centre + radius) - 1;
  if (!(first <= last)) return {0, -1};
  return {static_cast<int32_t>(std::clamp(first, 0.0, static_cast<double>(size))),
          static_cast<int32_t>(std::clamp(last, -1.0, static_cast<double>(size) - 1))};
}

}  // namespace

uint8_t RingImage::at(int32_t x, int32_t y) const {
  if (x < x0 || y < y0 || x >= x0 + width || y >= y0 + height) return 255;
  return grey[static_cast<size_t>(y - y0) * static_cast<size_t>(width) + static_cast<size_t>(x - x0)];
}

uint8_t srgb_value(double linear) {
  const double clamped = std::clamp(linear, 0.0, 1.0);
  if (clamped == 0) return 0;
  if (clamped == 1) return 255;
  const auto rounded = static_cast<int>(std::lround(255 * encode(clamped)));
  // Rounding in the encoded scale can miss the nearest luminance by one step.
  const std::array<double, 256>& table = luminance_table();
  int best = rounded;
  for (int v : {rounded - 1, rounded + 1}) {
    if (v >= 0 && v <= 255 &&
        std::abs(table[static_cast<size_t>(v)] - clamped) <
            std::abs(table[static_cast<size_t>(best)] - clamped)) {
      best = v;
    }
  }
  return static_cast<uint8_t>(best);
}

double linear_luminance(uint8_t srgb) {
  return luminance_table()[srgb];
}

RingImage render_ring(const RingFigure& figure, int32_t window_nx, int32_t window_ny) {
  RingImage ring;
  const auto [left, right] = span_of(figure.centre_x, figure.outer_radius, window_nx);
  const auto [top, bottom] = span_of(figure.centre_y, figure.outer_radius, window_ny);
  if (left > right || top > bottom) return ring;
  ring.x0 = left;
  ring.y0 = top;
  ring.width = right - left + 1;
  ring.height = bottom - top + 1;
  ring.grey.resize(static_cast<size_t>(ring.width) * static_cast<size_t>(ring.height));
  auto pixel = ring.grey.begin();
  for (int32_t j = top; j <= bottom; ++j) {
    for (int32_t i = left; i <= right; ++i) *pixel++ = srgb_value(1 - black_coverage(figure, i, j));
  }
  return ring;
}

bool write_ring_pixels(const RingImage& ring, std::span<uint8_t> image) {
  if (ring.width <= 0 || ring.height <= 0) return false;
  const size_t width = static_cast<size_t>(ring.width);
  const size_t height = static_cast<size_t>(ring.height);
  if (image.size() != kImageHeaderBytes + width * height * kBytesPerPixel) return false;
  for (size_t row = 0; row < height; ++row) {
    const uint8_t* grey = ring.grey.data() + row * width;
    uint8_t* pixel = image.data() + kImageHeaderBytes + (height - 1 - row) * width * kBytesPerPixel;
    for (size_t i = 0; i < width; ++i, pixel += kBytesPerPixel) {
      const uint8_t value[kBytesPerPixel] = {grey[i], grey[i], grey[i], 0};
      std::memcpy(pixel, value, kBytesPerPixel);
    }
  }
  return true;
}

}  // namespace zorikan
