// Dialog units: the dialog font and the pixel size of one unit.
//
// A template's "MS Sans Serif" 8 pt becomes whatever sans-serif face the system answers to that name
// (fontconfig's choice) at 8 points on the screen's logical resolution. Its base units are the average
// width of the Latin letters, rounded, and the line height; a horizontal dialog unit is a quarter of
// the first and a vertical one an eighth of the second. GUI thread only.
#pragma once

#include <QFont>
#include <QRect>

#include "dialog/dialog_template.h"

namespace zorikan::dialog {

struct BaseUnits {
  int width = 0;   // pixels
  int height = 0;  // pixels
};

QFont dialog_font(const DialogHeader& header);
BaseUnits base_units(const QFont& font);

// Dialog units to pixels, rounded to the nearest pixel (halves away from zero).
int horizontal_pixels(const BaseUnits& units, int dialog_units);
int vertical_pixels(const BaseUnits& units, int dialog_units);
QRect to_pixels(const BaseUnits& units, int x, int y, int width, int height);

}  // namespace zorikan::dialog
