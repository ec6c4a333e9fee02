// The dialog font and its base units.
#include "dialog/dialog_units.h"

#include <QFontMetrics>
#include <QString>

namespace zorikan::dialog {
namespace {

// value * numerator / denominator, rounded half away from zero.
int scale_rounded(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

QFont dialog_font(const DialogHeader& header) {
  QFont font(QString::fromUtf8(header.font_face.data(), static_cast<qsizetype>(header.font_face.size())));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(header.font_points > 0 ? header.font_points : 8);
  return font;
}

BaseUnits base_units(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  // The mean width of the 52 letters, rounded: (sum / 26 + 1) / 2.
  return {(letters / 26 + 1) / 2, metrics.height()};
}

int horizontal_pixels(const BaseUnits& units, int dialog_units) {
  return scale_rounded(dialog_units, units.width, 4);
}

int vertical_pixels(const BaseUnits& units, int dialog_units) {
  return scale_rounded(dialog_units, units.height, 8);
}

QRect to_pixels(const BaseUnits& units, int x, int y, int width, int height) {
  return {horizontal_pixels(units, x), vertical_pixels(units, y), horizontal_pixels(units, width),
          vertical_pixels(units, height)};
}

}  // namespace zorikan::dialog
