// make_glyph_file: writes the glyph file zorikan.sym, the nine digit figures hidden in the start
// screen's gratings (glyph k shows the digit k), in the layout of session/glyph_file.h.
//
//   make_glyph_file <output file>        (data/zorikan.sym is its output, checked in)
//
// Each digit is a set of centre lines (straight strokes and elliptic arcs) in a 240 x 360 pixel box.
// Glyph k covers the box with a grid of 2k x 2k tiles, one point per tile whose centre lies within
// half a stroke width of a centre line, so that at pattern size k the figure is about 240 x 360
// pixels on screen and the tiles abut into solid strokes. The box is placed so that every tile lies
// in the picture area (rows 20 to 649) and in its half of the window for both horizontal placements
// of the glyph (offsets 20 and 450 rounded down to a multiple of k), and its tiles on the stripe
// raster. The figure rules are checked before anything is written.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <span>
#include <vector>

#include "common/file_units.h"
#include "services/glyph_set.h"
#include "services/graphics_window.h"
#include "session/glyph_file.h"

namespace zorikan {
namespace {

constexpr double kBoxWidth = 240;
constexpr double kBoxHeight = 360;
constexpr double kStrokeWidth = 32;   // pixels on screen at every size ...
constexpr double kStrokeTiles = 2.5;  // ... but at least this many tiles across at the large sizes
constexpr int32_t kBoxTop = 155;      // the box's first row: centred in rows 20 to 649
constexpr int32_t kBoxLeft = 135;     // from the placement offset; rounded down to a multiple of k
constexpr int32_t kPictureTop = 20;   // rows 0 to 19 are the training run's status strips
constexpr int32_t kPictureBottom = kGraphicsHeight - 1;
constexpr int32_t kLeftHalfEnd = 430;  // a left-placed glyph stays left of this column
constexpr int32_t kWindowWidth = kGraphicsWidth;

struct Point {
  double x;
  double y;
};

// A centre line: consecutive points joined by straight strokes.
using Stroke = std::vector<Point>;

Stroke line(std::initializer_list<Point> points) {
  return Stroke(points);
}

// An elliptic arc from angle `from` to angle `to` (degrees, counter-clockwise from the positive x
// axis, y growing downwards on screen), as short straight pieces.
Stroke arc(double cx, double cy, double rx, double ry, double from, double to) {
  Stroke stroke;
  const int pieces = std::max(8, static_cast<int>(std::abs(to - from) / 3));
  for (int i = 0; i <= pieces; ++i) {
    const double angle = (from + (to - from) * i / pieces) * std::numbers::pi / 180;
    stroke.push_back({cx + rx * std::cos(angle), cy - ry * std::sin(angle)});
  }
  return stroke;
}

Point end_of(const Stroke& stroke) {
  return stroke.back();
}

// The digit `k` as centre lines in the 240 x 360 box.
std::vector<Stroke> digit(int k) {
  switch (k) {
    case 1:
      return {line({{64, 84}, {140, 16}, {140, 344}}), line({{70, 344}, {210, 344}})};
    case 2: {
      Stroke top = arc(120, 112, 96, 96, 160, -35);
      return {top, line({end_of(top), {24, 344}, {216, 344}})};
    }
    case 3:
      return {arc(112, 98, 92, 82, 150, -90), arc(112, 262, 104, 82, 90, -150)};
    case 4:
      return {line({{168, 344}, {168, 16}, {22, 250}, {218, 250}})};
    case 5: {
      Stroke bowl = arc(112, 246, 104, 98, 145, -150);
      return {line({{208, 16}, {52, 16}, {bowl.front().x, bowl.front().y}}), bowl};
    }
    case 6:
      return {arc(120, 252, 100, 92, 0, 360), arc(138, 192, 118, 176, 60, 180), line({{20, 192}, {20, 252}})};
    case 7:
      return {line({{22, 16}, {218, 16}, {88, 344}})};
    case 8:
      return {arc(120, 94, 82, 78, 0, 360), arc(120, 258, 100, 86, 0, 360)};
    case 9: {
      // The 6 turned upside down.
      std::vector<Stroke> strokes = digit(6);
      for (Stroke& stroke : strokes) {
        for (Point& p : stroke) p = {kBoxWidth - p.x, kBoxHeight - p.y};
      }
      return strokes;
    }
    default:
      return {};
  }
}

double distance_to_segment(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double distance_to_digit(Point p, const std::vector<Stroke>& strokes) {
  double best = 1e9;
  for (const Stroke& stroke : strokes) {
    for (size_t i = 0; i + 1 < stroke.size(); ++i)
      best = std::min(best, distance_to_segment(p, stroke[i], stroke[i + 1]));
  }
  return best;
}

// The points of glyph k, row by row, left to right.
std::vector<GlyphPoint> glyph(int k) {
  const int tile = 2 * k;
  const int columns = static_cast<int>(std::lround(kBoxWidth / tile));
  const int rows = static_cast<int>(std::lround(kBoxHeight / tile));
  // The box in screen pixels is columns x rows tiles; centre lines are scaled to it.
  const double scale_x = kBoxWidth / (columns * tile);
  const double scale_y = kBoxHeight / (rows * tile);
  const double reach = std::max(kStrokeWidth, kStrokeTiles * tile) / 2;
  const std::vector<Stroke> strokes = digit(k);
  const int left = kBoxLeft / k * k;  // a multiple of k: tiles start where stripes start
  std::vector<GlyphPoint> points;
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) {
      const Point centre{(j + 0.5) * tile * scale_x, (i + 0.5) * tile * scale_y};
      if (distance_to_digit(centre, strokes) <= reach) {
        // A tile covers rows row + 1 ... row + 2k and columns column + 1 ... column + 2k.
        points.push_back({kBoxTop - 1 + i * tile, left + j * tile});
      }
    }
  }
  return points;
}

bool keeps_figure_rules(int k, const std::vector<GlyphPoint>& points) {
  if (points.empty() || points.size() > static_cast<size_t>(kMaxGlyphPoints)) {
    std::fprintf(stderr, "make_glyph_file: glyph %d has %zu points; it must have 1 to %d\n", k, points.size(),
                 kMaxGlyphPoints);
    return false;
  }
  const int left_offset = 20 / k * k;
  const int right_offset = 450 / k * k;
  for (const GlyphPoint& p : points) {
    const bool rows_inside = p.row + 1 >= kPictureTop && p.row + 2 * k <= kPictureBottom;
    const bool left_inside = p.column + left_offset + 1 >= 0 && p.column + left_offset + 2 * k < kLeftHalfEnd;
    const bool right_inside = p.column + right_offset + 2 * k < kWindowWidth;
    if (!rows_inside || !left_inside || !right_inside) {
      std::fprintf(stderr, "make_glyph_file: glyph %d has a tile at row %d, column %d outside its area\n", k,
                   p.row, p.column);
      return false;
    }
  }
  return true;
}

}  // namespace
}  // namespace zorikan

int main(int argc, char** argv) {
  using namespace zorikan;
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_glyph_file <output file>\n");
    return 2;
  }
  std::array<std::vector<GlyphPoint>, kGlyphCount> glyphs;
  for (int k = 1; k <= kGlyphCount; ++k) {
    glyphs[static_cast<size_t>(k - 1)] = glyph(k);
    if (!keeps_figure_rules(k, glyphs[static_cast<size_t>(k - 1)])) return 1;
  }
  constexpr int32_t kUnit = 14;
  const IoResult opened = open_file(kUnit, argv[1], FileStatus::kUnknown, ErrorExit::kReturn);
  if (!opened.ok()) {
    std::fprintf(stderr, "make_glyph_file: %s\n", opened.report.c_str());
    return 1;
  }
  // An existing file is rewritten from its start and cut after the last line written.
  for (int k = 1; k <= kGlyphCount; ++k) {
    const std::vector<GlyphPoint>& points = glyphs[static_cast<size_t>(k - 1)];
    std::vector<int32_t> values;
    for (const GlyphPoint& p : points) {
      values.push_back(p.row);
      values.push_back(p.column);
    }
    const int32_t count = static_cast<int32_t>(points.size());
    IoResult written = write_formatted(kUnit, kGlyphCountLineWrite, {k, count}, ErrorExit::kReturn);
    if (written.ok()) written = write_formatted(kUnit, kGlyphPointLines, values, ErrorExit::kReturn);
    if (!written.ok()) {
      std::fprintf(stderr, "make_glyph_file: %s\n", written.report.c_str());
      return 1;
    }
  }
  const IoResult closed = close_file(kUnit, ErrorExit::kReturn);
  if (!closed.ok()) {
    std::fprintf(stderr, "make_glyph_file: %s\n", closed.report.c_str());
    return 1;
  }
  return 0;
}
