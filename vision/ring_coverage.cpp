// The exact coverage of a pixel by the gap ring; see ring_coverage.h.
#include "vision/ring_coverage.h"

#include <algorithm>
#include <array>
#include <cmath>

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

// A convex polygon: a pixel's square, or what is left of it after clipping by the strip's four sides.
struct Polygon {
  std::array<Point, 8> corners;
  int count = 0;
  void add(Point p) { corners[static_cast<size_t>(count++)] = p; }
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

double area_in_disc(const Polygon& polygon, double r) {
  double sum = 0;
  for (int k = 0; k < polygon.count; ++k) {
    sum += triangle_in_disc(polygon.corners[static_cast<size_t>(k)],
                            polygon.corners[static_cast<size_t>((k + 1) % polygon.count)], r);
  }
  return std::abs(sum);
}

// Shoelace formula.
double area(const Polygon& polygon) {
  double sum = 0;
  for (int k = 0; k < polygon.count; ++k) {
    sum += cross(polygon.corners[static_cast<size_t>(k)],
                 polygon.corners[static_cast<size_t>((k + 1) % polygon.count)]);
  }
  return std::abs(sum) / 2;
}

double area_in_ring(const Polygon& polygon, const RingFigure& figure) {
  return area_in_disc(polygon, figure.outer_radius) - area_in_disc(polygon, figure.inner_radius);
}

// The part of `polygon` where dot(p, normal) <= limit.
Polygon clip(const Polygon& polygon, Point normal, double limit) {
  Polygon kept;
  for (int k = 0; k < polygon.count; ++k) {
    const Point a = polygon.corners[static_cast<size_t>(k)];
    const Point b = polygon.corners[static_cast<size_t>((k + 1) % polygon.count)];
    const double da = dot(a, normal) - limit;
    const double db = dot(b, normal) - limit;
    if (da <= 0) kept.add(a);
    if ((da < 0 && db > 0) || (da > 0 && db < 0)) {
      const double share = da / (da - db);
      kept.add({a.x + share * (b.x - a.x), a.y + share * (b.y - a.y)});
    }
  }
  return kept;
}

// The strip: 0 <= t <= strip_length along the axis, |q| <= half_gap across it.
Polygon clip_to_strip(const Polygon& square, const RingFigure& figure) {
  const Point axis{figure.axis_x, figure.axis_y};
  const Point across{-figure.axis_y, figure.axis_x};
  Polygon part = clip(square, {-axis.x, -axis.y}, 0);
  part = clip(part, axis, figure.strip_length);
  part = clip(part, across, figure.half_gap);
  return clip(part, {-across.x, -across.y}, figure.half_gap);
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

Polygon pixel_square(double x0, double y0) {
  Polygon square;
  for (Point corner : {Point{x0, y0}, Point{x0 + 1, y0}, Point{x0 + 1, y0 + 1}, Point{x0, y0 + 1}}) {
    square.add(corner);
  }
  return square;
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

  const Polygon square = pixel_square(x0, y0);
  double covered = area_in_ring(square, figure);
  if (!apart_from_strip) covered -= area_in_ring(clip_to_strip(square, figure), figure);
  return std::clamp(covered, 0.0, 1.0);
}

double gap_half_share(const RingFigure& figure, int32_t i, int32_t j) {
  const Polygon square = pixel_square(i - figure.centre_x, j - figure.centre_y);
  return area(clip(square, {-figure.axis_x, -figure.axis_y}, 0));
}

}  // namespace zorikan
