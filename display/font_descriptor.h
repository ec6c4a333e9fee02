// Font descriptors: the short strings by which the program chooses a font ("t'Times New Roman
// Cyr'h38w17ib"), and the choice of a font table entry for one.
//
// Options, read left to right, letters in either case: t'face' (1 to 31 characters), hN cell height,
// wN average width, i italic, u underline, e bold, b best fit, f fixed pitch / p proportional (each
// cancels the other), r raster / v scalable (each cancels the other), nN font number N at once (the
// rest is ignored). N is the run of digits right after the letter (none: 0); other characters are
// skipped, trailing blanks removed.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "display/font_table.h"

namespace zorikan::display {

enum class PitchRequest { kAny, kFixed, kProportional };
enum class TypeRequest { kAny, kRaster, kScalable };

struct FontRequest {
  // UTF-8, after the old names "Tms Rmn", "Courier" and "Helv" became "Times New Roman", "Courier
  // New" and "Arial" and a " Cyr" ending was taken off into `cyrillic`; empty: any face.
  std::string face;
  bool cyrillic = false;  // the face was named with its Cyrillic character set
  bool height_given = false;
  int height = 0;  // pixels
  bool width_given = false;
  int width = 0;  // pixels
  bool italic = false;
  bool underline = false;
  bool bold = false;
  bool best_fit = false;
  PitchRequest pitch = PitchRequest::kAny;
  TypeRequest type = TypeRequest::kAny;
  std::optional<int> font_number;  // 1-based, as given after n
};

// The request a descriptor (Windows-1251 bytes) makes; nullopt when it is malformed (a t without its
// quoted face of 1 to 31 characters).
std::optional<FontRequest> parse_font_descriptor(std::string_view descriptor);

// The entry to create and the cell to create it at. For a scalable entry 0 means not given: the
// entry's table height, or the face's own proportion for the width. A raster entry is always
// created at its own table size.
struct FontChoice {
  int index = -1;  // 0-based in the table
  int height = 0;
  int width = 0;
};

// Face names compare without regard to case.
bool same_face_name(std::string_view a, std::string_view b);

// Chooses an entry for `request` over `table` in order. `current_index` is the table entry of the
// window's current font (-1: none), used when best fit finds nothing near enough. nullopt: no font
// matches (or a font number outside the table).
std::optional<FontChoice> match_font(const FontRequest& request, std::span<const FontEntry> table,
                                     int current_index);

}  // namespace zorikan::display
