// Fonts of the active window: the font table's start (init_fonts), the choice of a font by descriptor
// (select_font) and the text rotation. Everything here runs on the program thread; the font table
// and the rotation are process-wide, the current font belongs to the window and is written under
// its lock.
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string>

#include "display/display.h"
#include "display/font_descriptor.h"
#include "display/font_table.h"
#include "display/layer_status.h"
#include "display/stop_point.h"
#include "display/window_registry.h"

namespace zorikan {
namespace display {
namespace {

// A cell larger than this is refused as a failed creation: no surface of 2-byte coordinates shows
// more than a few glyphs of it, and the outlines would be rasterised at that size.
constexpr int kMaxCellPixels = 4096;

// Tenths of a degree, counter-clockwise; applies to every font created afterwards.
int32_t g_rotation = 0;

// Requested face names and the table face each resolves to, remembered for the table's lifetime.
std::map<std::string, std::string> g_resolved_faces;
const void* g_resolved_for_table = nullptr;

// The table face that answers to `face`: the face itself when the table has it, else the installed
// family fontconfig substitutes for it ("Times New Roman" is Liberation Serif on a Debian desktop).
// fontconfig answers a name it does not know with the generic family asked for, so a name that gives
// the same family asked as a serif and as a sans-serif face is a real substitute; otherwise the face
// is not installed and is returned unchanged, matching nothing.
std::string resolve_face(const std::string& face) {
  const auto table = font_table();
  for (const FontEntry& entry : table) {
    if (same_face_name(entry.face_name, face)) return face;
  }
  if (g_resolved_for_table != table.data()) {
    g_resolved_faces.clear();
    g_resolved_for_table = table.data();
  }
  if (auto found = g_resolved_faces.find(face); found != g_resolved_faces.end()) return found->second;

  QFont as_serif(QString::fromStdString(face));
  as_serif.setStyleHint(QFont::Serif);
  QFont as_sans(QString::fromStdString(face));
  as_sans.setStyleHint(QFont::SansSerif);
  const QString serif_family = QFontInfo(as_serif).family();
  const QString sans_family = QFontInfo(as_sans).family();
  std::string resolved = face;
  if (serif_family == sans_family) resolved = serif_family.left(kFaceNameLength).toStdString();
  g_resolved_faces.emplace(face, resolved);
  return resolved;
}

// Creates the font of table entry `index` at a cell of `height` x `width` pixels (0: the entry's
// table height; the face's own proportion) with the current rotation. A raster entry keeps its own
// size and is never rotated.
std::optional<CurrentFont> create_font(int index, int height, int width, bool italic, bool underline,
                                       bool bold) {
  const FontEntry& entry = font_table()[index];
  CurrentFont created;
  created.table_index = index;
  created.cell_width = width;
  created.cell_height = height;
  created.italic = italic;
  created.underline = underline;
  created.bold = bold;
  created.face = entry.face_name;

  if (entry.type == FontType::kRaster) {
    QFont font = QFontDatabase::font(QString::fromStdString(entry.family),
                                     QString::fromStdString(entry.style), entry.point_size);
    font.setItalic(italic || entry.italic);
    font.setUnderline(underline);
    if (bold) font.setWeight(QFont::Bold);
    font.setKerning(false);
    const QFontMetricsF metrics(font);
    if (metrics.height() <= 0) return std::nullopt;
    created.font = font;
    created.raster = true;
    created.baseline = metrics.ascent();
    created.cell = metrics.height();
    created.ascent = static_cast<int>(std::lround(metrics.ascent()));
    return created;
  }

  const int cell_height = height > 0 ? height : entry.height;
  if (cell_height <= 0 || cell_height > kMaxCellPixels || width < 0 || width > kMaxCellPixels) {
    return std::nullopt;
  }
  QFont font = reference_font(entry.family, bold ? QFont::Bold : QFont::Normal, italic, underline);
  const FaceProportions face = face_proportions(font);
  const double cell = face.ascent + face.descent;
  if (cell <= 0 || face.average_width <= 0) return std::nullopt;
  created.font = font;
  created.scale_y = cell_height / cell;
  created.scale_x = width > 0 ? width / face.average_width : created.scale_y;
  created.baseline = face.ascent;
  created.cell = cell;
  created.ascent = static_cast<int>(std::lround(face.ascent * created.scale_y));
  created.escapement = g_rotation;
  return created;
}

int16_t font_number(int index) {
  return static_cast<int16_t>(std::min(index + 1, static_cast<int>(std::numeric_limits<int16_t>::max())));
}

}  // namespace
}  // namespace display

using display::active_window;
using display::font_table;
using display::stop_point;

int16_t init_fonts() {
  stop_point();
  auto window = active_window();
  if (!window) return -1;
  if (font_table().empty() && !display::build_font_table()) return 0;

  const int index = display::default_font_index();
  const display::FontEntry& entry = font_table()[index];
  auto created =
      display::create_font(index, entry.height, 0, entry.italic, false, entry.weight >= QFont::Bold);
  if (!created) return 0;
  std::lock_guard guard(window->lock);
  window->font = std::move(*created);
  return static_cast<int16_t>(
      std::min(font_table().size(), static_cast<size_t>(std::numeric_limits<int16_t>::max())));
}

int16_t select_font(std::string_view descriptor) {
  stop_point();
  auto window = active_window();
  if (!window || font_table().empty()) return -1;
  auto request = display::parse_font_descriptor(descriptor);
  if (!request) return -1;
  if (!request->face.empty()) request->face = display::resolve_face(request->face);

  int current_index;
  {
    std::lock_guard guard(window->lock);
    current_index = window->font.table_index;
  }
  const auto choice = display::match_font(*request, font_table(), current_index);
  if (!choice) return -1;
  auto created = display::create_font(choice->index, choice->height, choice->width, request->italic,
                                      request->underline, request->bold);
  if (!created) return -1;
  std::lock_guard guard(window->lock);
  window->font = std::move(*created);
  return display::font_number(choice->index);
}

void set_text_rotation(int32_t tenths_of_degree) {
  stop_point();
  auto window = active_window();
  if (!window || font_table().empty()) return;
  const int32_t angle = tenths_of_degree % 3600;
  if (angle == display::g_rotation) return;

  std::lock_guard guard(window->lock);
  display::CurrentFont& current = window->font;
  if (angle != 0 && current.raster) {
    display::record_status(display::kStatusFailure);
    return;
  }
  display::g_rotation = angle;
  display::record_status(display::kStatusOk);
  if (current.table_index < 0 || current.table_index >= static_cast<int>(font_table().size())) return;
  auto created = display::create_font(current.table_index, current.cell_height, current.cell_width,
                                      current.italic, current.underline, current.bold);
  if (created) current = std::move(*created);
}

}  // namespace zorikan
