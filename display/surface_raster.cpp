// Line walks, outlines, ellipse spans and polygon scanlines on an RGB32 surface.
#include "display/surface_raster.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace zorikan::display {
namespace {

// One period of each style, one character per pixel along the line ('#' set, '-' left as it was).
// The lengths are those of Qt's pen styles at a width of one pixel.
std::string_view pattern_of(LineStyle style) {
  switch (style) {
    case LineStyle::kSolid:
      return "#";
    case LineStyle::kDashed:
      return "####--";
    case LineStyle::kDashDot:
      return "####--#--";
    case LineStyle::kDashDotDot:
      return "####--#--#--";
    case LineStyle::kDotted:
      return "#--";
    case LineStyle::kNone:
      break;
  }
  return "-";
}

// The first column offset (from the box's left edge) of row j of the ellipse inscribed in a W x H box.
//
// Pixel centres inside the ellipse with semi-axes W/2 and H/2 about the box centre belong to it. In
// doubled coordinates, where a pixel centre's offset from the box centre is e = |2j + 1 - H| rows and
// ex = |2i + 1 - W| columns, that is ex^2 H^2 + e^2 W^2 <= W^2 H^2: exact in 64 bits for any 2-byte
// box when e >= 2. The middle row(s) and column(s) always run the whole box, so that the ellipse
// touches all four sides even when it is very flat or very narrow.
int ellipse_row_left(int64_t W, int64_t H, int64_t j) {
  const int64_t e = std::abs(2 * j + 1 - H);
  if (e <= 1) return 0;
  const uint64_t w2 = W * W;
  const uint64_t room = static_cast<uint64_t>(H * H - e * e);
  const uint64_t h2 = H * H;
  auto fits = [&](int64_t ex) { return static_cast<uint64_t>(ex * ex) * h2 <= w2 * room; };
  // ex runs over the parity of W - 1; start from the real-valued limit and settle it exactly.
  int64_t ex = std::min<int64_t>(W - 1, static_cast<int64_t>(W * std::sqrt(double(room) / double(h2))));
  if ((W - 1 - ex) % 2 != 0) --ex;
  while (ex >= 0 && !fits(ex)) ex -= 2;
  while (ex + 2 <= W - 1 && fits(ex + 2)) ex += 2;
  if (ex < 0) return static_cast<int>((W - 1) / 2);  // only the middle column(s)
  return static_cast<int>((W - 1 - ex) / 2);
}

}  // namespace

LineStyle line_style_of(uint16_t pattern) {
  const int set_bits = std::popcount(pattern);
  if (set_bits == 16) return LineStyle::kSolid;
  if (set_bits >= 11) return LineStyle::kDashed;
  if (set_bits == 10) return LineStyle::kDashDot;
  if (set_bits == 9) return LineStyle::kDashDotDot;
  if (set_bits >= 1) return LineStyle::kDotted;
  return LineStyle::kNone;
}

SurfaceRaster::SurfaceRaster(QImage& surface, uint32_t color, LineStyle style)
    : bits_(reinterpret_cast<uint32_t*>(surface.bits())),
      pixels_per_line_(surface.bytesPerLine() / 4),
      width_(surface.width()),
      height_(surface.height()),
      color_(color),
      pattern_(pattern_of(style)) {}

void SurfaceRaster::line(QPoint from, QPoint to) {
  // Bresenham's walk over all octants; the error term stays within a few times 65535.
  int x = from.x();
  int y = from.y();
  const int dx = std::abs(to.x() - x);
  const int dy = -std::abs(to.y() - y);
  const int step_x = x < to.x() ? 1 : -1;
  const int step_y = y < to.y() ? 1 : -1;
  int error = dx + dy;
  while (x != to.x() || y != to.y()) {
    plot_styled(x, y);
    const int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x += step_x;
    }
    if (doubled <= dx) {
      error += dx;
      y += step_y;
    }
  }
}

void SurfaceRaster::fill_span(int y, int x_from, int x_to) {
  if (y < 0 || y >= height_) return;
  x_from = std::max(x_from, 0);
  x_to = std::min(x_to, width_ - 1);
  if (x_from > x_to) return;
  uint32_t* row = bits_ + y * pixels_per_line_;
  std::fill(row + x_from, row + x_to + 1, color_);
}

void SurfaceRaster::fill_rect(const QRect& box) {
  const int top = std::max(box.top(), 0);
  const int bottom = std::min(box.bottom(), height_ - 1);
  for (int y = top; y <= bottom; ++y) fill_span(y, box.left(), box.right());
}

void SurfaceRaster::rect_outline(const QRect& box) {
  if (box.width() == 1 || box.height() == 1) {
    // A box one pixel thin is its own outline, walked once so the pattern is not laid twice.
    line(box.topLeft(), box.bottomRight());
    plot_styled(box.right(), box.bottom());
    return;
  }
  line(box.topLeft(), box.topRight());
  line(box.topRight(), box.bottomRight());
  line(box.bottomRight(), box.bottomLeft());
  line(box.bottomLeft(), box.topLeft());
}

void SurfaceRaster::ellipse(const QRect& box, bool filled) {
  const int64_t W = box.width();
  const int64_t H = box.height();
  if (W <= 0 || H <= 0) return;
  std::vector<int> left(static_cast<size_t>(H));
  for (int64_t j = 0; j < H; ++j) left[j] = ellipse_row_left(W, H, j);

  for (int64_t j = 0; j < H; ++j) {
    const int y = box.top() + static_cast<int>(j);
    if (y < 0 || y >= height_) continue;
    const int first = left[j];
    const int last = static_cast<int>(W) - 1 - first;
    if (filled) {
      fill_span(y, box.left() + first, box.left() + last);
      continue;
    }
    // Outline pixels are those with a neighbour above, below, left or right outside the ellipse:
    // on each side, from the row's end inwards to where the rows above and below both reach.
    const int above = j > 0 ? left[j - 1] : static_cast<int>(W);
    const int below = j + 1 < H ? left[j + 1] : static_cast<int>(W);
    const int inner = std::min(std::max(first, std::max(above, below) - 1), last);
    fill_span(y, box.left() + first, box.left() + inner);
    fill_span(y, box.left() + static_cast<int>(W) - 1 - inner, box.left() + last);
  }
}

void SurfaceRaster::polygon(std::span<const QPoint> points, bool filled) {
  const size_t count = points.size();
  if (count == 0) return;
  if (filled) {
    struct Edge {
      int top;
      int bottom;  // exclusive: each edge owns the rows [top, bottom), so shared vertices count once
      double x_at_top;
      double slope;
    };
    std::vector<Edge> edges;
    int min_y = height_;
    int max_y = -1;
    for (size_t k = 0; k < count; ++k) {
      QPoint a = points[k];
      QPoint b = points[(k + 1) % count];
      if (a.y() == b.y()) continue;
      if (a.y() > b.y()) std::swap(a, b);
      if (b.y() <= 0 || a.y() >= height_) continue;
      edges.push_back({a.y(), b.y(), double(a.x()), double(b.x() - a.x()) / double(b.y() - a.y())});
      min_y = std::min(min_y, std::max(a.y(), 0));
      max_y = std::max(max_y, std::min(b.y(), height_ - 1));
    }
    std::vector<double> crossings;
    for (int y = min_y; y <= max_y; ++y) {
      crossings.clear();
      for (const Edge& edge : edges) {
        if (y >= edge.top && y < edge.bottom)
          crossings.push_back(edge.x_at_top + (y - edge.top) * edge.slope);
      }
      std::sort(crossings.begin(), crossings.end());
      for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
        const double from = std::ceil(crossings[k]);
        const double to = std::floor(crossings[k + 1]);
        if (from > to || to < 0 || from >= width_) continue;
        fill_span(y, static_cast<int>(std::max(from, 0.0)),
                  static_cast<int>(std::min(to, double(width_ - 1))));
      }
    }
    pattern_ = pattern_of(LineStyle::kSolid);
  }
  restart_pattern();
  bool moved = false;
  for (size_t k = 0; k < count; ++k) {
    const QPoint from = points[k];
    const QPoint to = points[(k + 1) % count];
    moved = moved || from != to;
    line(from, to);
  }
  if (!moved) plot_styled(points[0].x(), points[0].y());
}

}  // namespace zorikan::display
