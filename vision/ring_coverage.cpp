// The exact coverage of a pixel by the gap ring; see ring_coverage.h.
#include "vision/ring_coverage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace zorikan {
namespace {

// A point relative to the ring's centre, in pixels.
struct Point {
  double x = 0;
  double y = 0;
};

double cross(Point a, Point b) {
  return a.x * b.y - a.y * b.x;
}

double dot(Point a, Point b) {
  return a.x * b.x + a.y * b.y;
}

// A convex polygon of at most kCapacity corners: a pixel's square, or what is left of it after clipping by
// some of the strip's four sides.
template <size_t kCapacity>
struct Polygon {
  std::array<Point, kCapacity> corners{};
  size_t count = 0;

  std::span<const Point> points() const { return {corners.data(), count}; }
};

// Signed area of the part of the triangle (centre, a, b) that lies within radius r of the centre.
double triangle_in_disc(Point a, Point b, double r) {
  const Point d{b.x - a.x, b.y - a.y};
  auto sector = [r](Point p, Point q) { return 0.5 * r * r * std::atan2(cross(p, q), dot(p, q)); };
  const double length_squared = dot(d, d);
  if (length_squared == 0) return 0;
  // Points a + k d on the circle: length_squared k^2 + 2 half_b k + c = 0.
  const double half_b = dot(a, d);
  const double c = dot(a, a) - r * r;
  const double discriminant = half_b * half_b - length_squared * c;
  if (discriminant <= 0) return sector(a, b);
  const double root = std::sqrt(discriminant);
  const double enter = std::clamp((-half_b - root) / length_squared, 0.0, 1.0);
  const double leave = std::clamp((-half_b + root) / length_squared, 0.0, 1.0);
  const Point p{a.x + enter * d.x, a.y + enter * d.y};
  const Point q{a.x + leave * d.x, a.y + leave * d.y};
  return sector(a, p) + 0.5 * cross(p, q) + sector(q, b);
}

double area_in_disc(std::span<const Point> corners, double r) {
  double sum = 0;
  for (size_t k = 0; k < corners.size(); ++k) {
    sum += triangle_in_disc(corners[k], corners[(k + 1) % corners.size()], r);
  }
  return std::abs(sum);
}

// Shoelace formula.
double area(std::span<const Point> corners) {
  double sum = 0;
  for (size_t k = 0; k < corners.size(); ++k) sum += cross(corners[k], corners[(k + 1) % corners.size()]);
  return std::abs(sum) / 2;
}

double area_in_ring(std::span<const Point> corners, const RingFigure& figure) {
  return area_in_disc(corners, figure.outer_radius) - area_in_disc(corners, figure.inner_radius);
}

// The part of `polygon` where dot(p, normal) <= limit. Each corner gives at most itself and the crossing on
// the edge it starts, so the result holds at most twice the corners, however the rounding falls: a corner
// within rounding of the line can make a crossing that exact arithmetic would not.
template <size_t kCapacity>
Polygon<2 * kCapacity> clip(const Polygon<kCapacity>& polygon, Point normal, double limit) {
  Polygon<2 * kCapacity> kept;
  for (size_t k = 0; k < polygon.count; ++k) {
    const Point a = polygon.corners[k];
    const Point b = polygon.corners[(k + 1) % polygon.count];
    const double da = dot(a, normal) - limit;
    const double db = dot(b, normal) - limit;
    if (da <= 0) kept.corners[kept.count++] = a;
    if ((da < 0 && db > 0) || (da > 0 && db < 0)) {
      const double share = da / (da - db);
      kept.corners[kept.count++] = {a.x + share * (b.x - a.x), a.y + share * (b.y - a.y)};
    }
  }
  return kept;
}

using Square = Polygon<4>;

// The strip: 0 <= t <= strip_length along the axis, |q| <= half_gap across it. Four clips of a square
// hold at most 4 x 2^4 corners.
Polygon<64> clip_to_strip(const Square& square, const RingFigure& figure) {
  const Point axis{figure.axis_x, figure.axis_y};
  const Point across{-figure.axis_y, figure.axis_x};
  const auto from_centre = clip(square, {-axis.x, -axis.y}, 0);
  const auto within_length = clip(from_centre, axis, figure.strip_length);
  const auto one_side = clip(within_length, across, figure.half_gap);
  return clip(one_side, {-across.x, -across.y}, figure.half_gap);
}

// Where a square of side 1 centred at `middle` lies along `direction` (a unit vector).
struct Extent {
  double low;
  double high;
};

Extent extent_along(Point middle, Point direction) {
  const double centre = dot(middle, direction);
  const double reach = 0.5 * (std::abs(direction.x) + std::abs(direction.y));
  return {centre - reach, centre + reach};
}

// The distance from the centre to the nearest and the farthest point of [low, low + 1].
double nearest_offset(double low) {
  return low > 0 ? low : (low + 1 < 0 ? -(low + 1) : 0);
}

double farthest_offset(double low) {
  return std::max(std::abs(low), std::abs(low + 1));
}

Square pixel_square(double x0, double y0) {
  return {{Point{x0, y0}, Point{x0 + 1, y0}, Point{x0 + 1, y0 + 1}, Point{x0, y0 + 1}}, 4};
}

}  // namespace

double black_coverage(const RingFigure& figure, int32_t i, int32_t j) {
  const double x0 = i - figure.centre_x;
  const double y0 = j - figure.centre_y;
  const double nearest = std::hypot(nearest_offset(x0), nearest_offset(y0));
  const double farthest = std::hypot(farthest_offset(x0), farthest_offset(y0));
  if (farthest <= figure.inner_radius || nearest >= figure.outer_radius) return 0;

  const Point middle{x0 + 0.5, y0 + 0.5};
  const Extent along = extent_along(middle, {figure.axis_x, figure.axis_y});
  const Extent across = extent_along(middle, {-figure.axis_y, figure.axis_x});
  const bool inside_strip = along.low >= 0 && along.high <= figure.strip_length &&
                            across.low >= -figure.half_gap && across.high <= figure.half_gap;
  if (inside_strip) return 0;
  const bool apart_from_strip = along.high <= 0 || along.low >= figure.strip_length ||
                                across.high <= -figure.half_gap || across.low >= figure.half_gap;
  if (apart_from_strip && nearest >= figure.inner_radius && farthest <= figure.outer_radius) return 1;

  const Square square = pixel_square(x0, y0);
  double covered = area_in_ring(square.points(), figure);
  if (!apart_from_strip) covered -= area_in_ring(clip_to_strip(square, figure).points(), figure);
  return std::clamp(covered, 0.0, 1.0);
}

double gap_half_share(const RingFigure& figure, int32_t i, int32_t j) {
  const Square square = pixel_square(i - figure.centre_x, j - figure.centre_y);
  return area(clip(square, {-figure.axis_x, -figure.axis_y}, 0).points());
}

}  // namespace zorikan
