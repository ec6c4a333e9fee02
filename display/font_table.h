// The process-wide font table: one entry per font the system offers, in the order the system reports
// them, built once by init_fonts and read by select_font. Only the program thread uses it.
//
// A family that scales smoothly gives one scalable entry per style; a face offered only in fixed sizes
// gives one raster entry per style and size. Each entry keeps the logical description a program would
// pass to create the font, with the face name cut to 31 characters as the descriptor allows.
#pragma once

#include <QFont>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zorikan::display {

inline constexpr int kFaceNameLength = 31;

// Character sets of the logical description.
inline constexpr uint8_t kAnsiCharset = 0;
inline constexpr uint8_t kCyrillicCharset = 204;

// Low two bits of `pitch_and_family`.
inline constexpr uint8_t kFixedPitch = 1;
inline constexpr uint8_t kVariablePitch = 2;
inline constexpr uint8_t kPitchMask = 3;

// Scalable fonts are measured and drawn at this pixel size and scaled to the requested cell, so that
// Qt's rounding of pixel sizes and metrics (1/64 pixel) is negligible against the cell.
inline constexpr int kReferencePixelSize = 1024;

// The cell height, in pixels, at which a scalable entry is described in the table (the layer's
// default text cell height); its average width follows from the face's own proportion.
inline constexpr int kScalableEntryCellHeight = 16;

enum class FontType { kRaster, kScalable };

// Measured metrics of the font at its table size, pixels.
struct FontMetrics {
  int height = 0;  // ascent + descent: the character cell
  int ascent = 0;
  int descent = 0;
  int average_width = 0;
  int max_width = 0;
};

struct FontEntry {
  // Logical description.
  int height = 0;       // character cell height, pixels
  int width = 0;        // average character width, pixels
  int escapement = 0;   // tenths of a degree, counter-clockwise
  int orientation = 0;  // tenths of a degree
  int weight = 400;     // 100..900; 700 is bold
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  uint8_t charset = kAnsiCharset;
  uint8_t pitch_and_family = kVariablePitch;
  std::string face_name;  // UTF-8, at most 31 characters

  FontMetrics metrics;
  FontType type = FontType::kScalable;

  // How Qt names the font: the full family (face_name may be cut), the style within it and, for a
  // raster font, the point size Qt offers it in.
  std::string family;
  std::string style;
  int point_size = 0;
};

// The cell of a scalable face at kReferencePixelSize: ascent, descent and average character width in
// pixels of that size. The average width is the frequency-weighted mean advance of the lower-case
// Latin letters and the space, the width of an ordinary line of text per character; the average that
// a font file records in its OS/2 table can differ widely (Liberation Serif records 1124/2048 em,
// averaged over all its glyphs, where Times New Roman records 821/2048; the weighted mean of both is
// 821/2048).
struct FaceProportions {
  double ascent = 0;
  double descent = 0;
  double average_width = 0;
};

// Proportions of `font` (its pixel size must be kReferencePixelSize); remembered per family, weight
// and italic setting.
FaceProportions face_proportions(const QFont& font);

// A font of `family` at kReferencePixelSize as this layer draws scalable text: no hinting, no
// kerning (advances are the glyphs' own, as in a plain text-out), greyscale antialiasing.
QFont reference_font(const std::string& family, int weight, bool italic, bool underline);

// Enumerates the system's fonts into the table, replacing what it held. False when the system
// reports no font; the table is then empty.
bool build_font_table();

// Replaces the table with `entries` (tests inject tables the system cannot offer, such as raster
// fonts). The default font becomes the last scalable entry, or the last entry if none is scalable.
void replace_font_table(std::vector<FontEntry> entries);

std::span<const FontEntry> font_table();

// Index of the default font; -1 while the table is empty.
int default_font_index();

}  // namespace zorikan::display
