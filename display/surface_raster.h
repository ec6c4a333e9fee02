// Pixel-exact rasterisation of lines, outlines and filled shapes into an RGB32 surface.
//
// Coordinates are surface pixels (the layer's 2-byte values widened to int); shapes are clipped to
// the surface pixel by pixel or span by span, so a shape reaching far outside costs only its walk.
// Every pixel is written as a plain copy of one colour. Vertices are pixel centres: a line from a to
// b covers the pixels Bresenham's walk visits from a up to, not including, b.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace zorikan::display {

// The six line styles, chosen by the number of set bits in the 16-bit line pattern.
enum class LineStyle { kNone, kDotted, kDashDotDot, kDashDot, kDashed, kSolid };

LineStyle line_style_of(uint16_t pattern);

class SurfaceRaster {
 public:
  // `surface` must be a non-null Format_RGB32 image; it is detached once here. `color` is a QRgb.
  SurfaceRaster(QImage& surface, uint32_t color, LineStyle style);

  // One pixel, whatever the style.
  void plot(int x, int y) {
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(width_)) return;
    if (static_cast<unsigned>(y) >= static_cast<unsigned>(height_)) return;
    bits_[y * pixels_per_line_ + x] = color_;
  }
  // One pixel if the style's pattern is on at the current phase; the phase advances either way.
  void plot_styled(int x, int y) {
    if (pattern_[static_cast<size_t>(phase_)] == '#') plot(x, y);
    if (static_cast<size_t>(++phase_) == pattern_.size()) phase_ = 0;
  }
  // Styled pixels from `from` up to, not including, `to`. The pattern phase continues from the
  // previous call, so an outline walked segment by segment keeps its rhythm round the corners.
  void line(QPoint from, QPoint to);
  void restart_pattern() { phase_ = 0; }

  // Pixels x_from..x_to (inclusive) of row y.
  void fill_span(int y, int x_from, int x_to);
  void fill_rect(const QRect& box);
  // The outline of `box` (inclusive corners) in the style, clockwise from the top-left corner.
  void rect_outline(const QRect& box);
  // The ellipse inscribed in `box` (inclusive corners): filled, or its one-pixel outline (solid).
  void ellipse(const QRect& box, bool filled);
  // The polygon closed from the last point to the first: its outline in the style, or filled
  // (even-odd rule at pixel centres) with a solid outline.
  void polygon(std::span<const QPoint> points, bool filled);

 private:
  uint32_t* bits_;
  qsizetype pixels_per_line_;
  int width_;
  int height_;
  uint32_t color_;
  std::string_view pattern_;  // one period of the style, see pattern_of
  int phase_ = 0;             // always below the period's length
};

}  // namespace zorikan::display
