// Drawn text (draw_text) and the colours of the window's text grid.
//
// draw_text places the top-left corner of the text's unrotated cell at the current graphics position
// and writes the glyphs alone (transparent background) in the drawing colour, with greyscale
// antialiasing: what the surface holds is what the user reads, at every size the program uses (from
// 4-pixel chart labels to 120-pixel results). A scalable font is drawn from its reference size
// through a transform that scales its cell to exactly the requested pixels and turns it by the
// font's escapement about that corner.
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "common/cp1251.h"
#include "display/child_window.h"
#include "display/colors.h"
#include "display/display.h"
#include "display/layer_status.h"
#include "display/stop_point.h"
#include "display/window_registry.h"

namespace zorikan {
namespace display {
namespace {

// Qt draws glyphs from its glyph cache below this effective pixel size and, above it, fills their
// outlines glyph by glyph through a much slower path; one path for the whole text is several times
// faster for the large fonts of the result screens.
constexpr double kLargestCachedGlyph = 64.0;

// Positions within this much of an edge are on it (the rotated cell corners carry rounding).
constexpr double kEdgeTolerance = 1e-6;

QString to_unicode(std::string_view cp1251_text) {
  QString text;
  text.reserve(static_cast<qsizetype>(cp1251_text.size()));
  for (char byte : cp1251_text) {
    text.append(QChar(static_cast<char16_t>(cp1251_code_point(static_cast<unsigned char>(byte)))));
  }
  return text;
}

// Where a text goes on the surface when its cell's top-left corner is at `corner`: the transform
// from the font's unscaled units, its cell (advance by cell height) and its ink, in surface pixels.
struct TextPlacement {
  QTransform transform;
  QRectF cell;
  QRectF ink;
  double advance = 0;  // unscaled units of font.font
};

TextPlacement place_text(const CurrentFont& font, const QFontMetricsF& metrics, const QString& text,
                         QPointF corner) {
  TextPlacement placed;
  placed.advance = metrics.horizontalAdvance(text);
  placed.transform.translate(corner.x(), corner.y());
  placed.transform.rotate(-font.escapement / 10.0);  // Qt turns clockwise on a y-down surface
  placed.transform.scale(font.scale_x, font.scale_y);
  placed.cell = placed.transform.mapRect(QRectF(0, 0, placed.advance, font.cell));
  placed.ink = placed.transform.mapRect(metrics.boundingRect(text).translated(0, font.baseline));
  return placed;
}

}  // namespace
}  // namespace display

void draw_text(std::string_view text) {
  display::stop_point();
  auto window = display::drawing_target();
  if (!window) return;
  std::lock_guard guard(window->lock);
  const display::CurrentFont& font = window->font;
  if (font.table_index < 0) {
    display::record_status(display::kStatusNothingDrawn);
    return;
  }
  if (window->surface.isNull()) {
    display::record_status(display::kStatusFailure);
    return;
  }
  if (text.empty()) {
    display::record_status(display::kStatusOk);
    return;
  }

  const QString unicode = display::to_unicode(text);
  const QFontMetricsF metrics(font.font);
  const display::TextPlacement placed = display::place_text(font, metrics, unicode, window->position);
  const QColor color = QColor::fromRgb(display::to_qrgb(display::color_to_rgb(window->draw_color)));
  {
    QPainter painter(&window->surface);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setTransform(placed.transform);
    const double pixel_size = font.font.pixelSize() * std::sqrt(std::abs(font.scale_x * font.scale_y));
    if (font.raster || pixel_size < display::kLargestCachedGlyph) {
      painter.setPen(color);
      painter.setFont(font.font);
      painter.drawText(QPointF(0, font.baseline), unicode);
    } else {
      QPainterPath outline;
      outline.addText(QPointF(0, font.baseline), font.font, unicode);
      painter.fillPath(outline, color);
    }
  }

  const QRect surface = window->surface.rect();
  const bool clipped = placed.cell.right() > surface.width() + display::kEdgeTolerance ||
                       placed.cell.bottom() > surface.height() + display::kEdgeTolerance;
  window->position.rx() += static_cast<int>(std::lround(placed.advance * font.scale_x));
  window->mark_damaged(placed.cell.united(placed.ink).toAlignedRect().adjusted(-1, -1, 1, 1));
  display::record_status(clipped ? display::kStatusClipped : display::kStatusOk);
}

int32_t measure_text(std::string_view text) {
  display::stop_point();
  auto window = display::drawing_target();
  if (!window) return 0;
  std::lock_guard guard(window->lock);
  const display::CurrentFont& font = window->font;
  if (font.table_index < 0) {
    display::record_status(display::kStatusNothingDrawn);
    return 0;
  }
  display::record_status(display::kStatusOk);
  if (text.empty()) return 0;
  const QFontMetricsF metrics(font.font);
  const display::TextPlacement placed =
      display::place_text(font, metrics, display::to_unicode(text), QPointF(0, 0));
  // The font's ink box is not exact to the pixel: antialiasing may touch one column beyond it.
  return static_cast<int32_t>(std::ceil(std::max(placed.cell.right(), placed.ink.right() + 1)));
}

int32_t set_text_color_rgb(int32_t rgb) {
  display::stop_point();
  auto window = display::active_window();
  if (!window) return -1;
  std::lock_guard guard(window->lock);
  return static_cast<int32_t>(display::store_rgb_color(window->text_color, static_cast<uint32_t>(rgb)));
}

int32_t set_text_background_rgb(int32_t rgb) {
  display::stop_point();
  auto window = display::active_window();
  if (!window) return -1;
  std::lock_guard guard(window->lock);
  return static_cast<int32_t>(display::store_rgb_color(window->text_background, static_cast<uint32_t>(rgb)));
}

}  // namespace zorikan
