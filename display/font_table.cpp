// The font table built from QFontDatabase, and the proportions of scalable faces.
#include "display/font_table.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QList>
#include <QStringList>

#include <array>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>

namespace zorikan::display {
namespace {

std::vector<FontEntry> g_table;
int g_default_index = -1;

// Per-mille frequencies of 'a'..'z' followed by the space; they add up to 1000.
constexpr std::array<int, 27> kLetterWeights = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                                56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};

std::map<std::tuple<QString, int, bool>, FaceProportions> g_proportions;

int find_default(const std::vector<FontEntry>& table) {
  for (int i = static_cast<int>(table.size()) - 1; i >= 0; --i) {
    if (table[i].type == FontType::kScalable) return i;
  }
  return static_cast<int>(table.size()) - 1;
}

std::string face_name_of(const QString& family) {
  return family.left(kFaceNameLength).toStdString();
}

uint8_t charset_of(const QString& family) {
  const auto systems = QFontDatabase::writingSystems(family);
  return systems.contains(QFontDatabase::Cyrillic) ? kCyrillicCharset : kAnsiCharset;
}

FontEntry describe(const QString& family, const QString& style, uint8_t charset) {
  FontEntry entry;
  entry.weight = QFontDatabase::weight(family, style);
  entry.italic = QFontDatabase::italic(family, style);
  entry.charset = charset;
  entry.pitch_and_family = QFontDatabase::isFixedPitch(family, style) ? kFixedPitch : kVariablePitch;
  entry.face_name = face_name_of(family);
  entry.family = family.toStdString();
  entry.style = style.toStdString();
  return entry;
}

FontEntry scalable_entry(const QString& family, const QString& style, uint8_t charset) {
  FontEntry entry = describe(family, style, charset);
  entry.type = FontType::kScalable;
  QFont font = reference_font(entry.family, entry.weight, entry.italic, false);
  font.setStyleName(style);
  const FaceProportions face = face_proportions(font);
  const double cell = face.ascent + face.descent;
  const double scale = cell > 0 ? kScalableEntryCellHeight / cell : 0;
  entry.height = kScalableEntryCellHeight;
  entry.width = static_cast<int>(std::lround(face.average_width * scale));
  entry.metrics.height = entry.height;
  entry.metrics.ascent = static_cast<int>(std::lround(face.ascent * scale));
  entry.metrics.descent = entry.height - entry.metrics.ascent;
  entry.metrics.average_width = entry.width;
  entry.metrics.max_width = static_cast<int>(std::lround(QFontMetricsF(font).maxWidth() * scale));
  return entry;
}

FontEntry raster_entry(const QString& family, const QString& style, uint8_t charset, int point_size) {
  FontEntry entry = describe(family, style, charset);
  entry.type = FontType::kRaster;
  entry.point_size = point_size;
  const QFontMetrics metrics(QFontDatabase::font(family, style, point_size));
  entry.height = metrics.height();
  entry.width = metrics.averageCharWidth();
  entry.metrics = {metrics.height(), metrics.ascent(), metrics.descent(), metrics.averageCharWidth(),
                   metrics.maxWidth()};
  return entry;
}

}  // namespace

QFont reference_font(const std::string& family, int weight, bool italic, bool underline) {
  QFont font(QString::fromStdString(family));
  font.setPixelSize(kReferencePixelSize);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(italic);
  font.setUnderline(underline);
  font.setStretch(QFont::Unstretched);
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setStyleStrategy(QFont::NoSubpixelAntialias);
  return font;
}

FaceProportions face_proportions(const QFont& font) {
  const auto key = std::make_tuple(font.family() + u'|' + font.styleName(), font.weight(), font.italic());
  if (auto found = g_proportions.find(key); found != g_proportions.end()) return found->second;

  const QFontMetricsF metrics(font);
  FaceProportions face{metrics.ascent(), metrics.descent(), 0};
  bool has_letters = true;
  double weighted = 0;
  for (int i = 0; i < 27; ++i) {
    const QChar letter = i < 26 ? QChar(u'a' + i) : QChar(u' ');
    has_letters = has_letters && metrics.inFont(letter);
    weighted += metrics.horizontalAdvance(letter) * kLetterWeights[i];
  }
  // A face without Latin letters (a symbol font) has no weighted mean; its own average stands in.
  face.average_width = has_letters ? weighted / 1000 : metrics.averageCharWidth();
  g_proportions.emplace(key, face);
  return face;
}

bool build_font_table() {
  std::vector<FontEntry> table;
  for (const QString& family : QFontDatabase::families()) {
    const uint8_t charset = charset_of(family);
    for (const QString& style : QFontDatabase::styles(family)) {
      if (QFontDatabase::isSmoothlyScalable(family, style)) {
        table.push_back(scalable_entry(family, style, charset));
        continue;
      }
      for (int point_size : QFontDatabase::pointSizes(family, style)) {
        table.push_back(raster_entry(family, style, charset, point_size));
      }
    }
  }
  const bool found = !table.empty();
  replace_font_table(std::move(table));
  return found;
}

void replace_font_table(std::vector<FontEntry> entries) {
  g_table = std::move(entries);
  g_default_index = find_default(g_table);
}

std::span<const FontEntry> font_table() {
  return g_table;
}

int default_font_index() {
  return g_default_index;
}

}  // namespace zorikan::display
