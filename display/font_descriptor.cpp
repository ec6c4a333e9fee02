// Descriptor parsing and font matching over the table.
#include "display/font_descriptor.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

#include "common/cp1251.h"

namespace zorikan::display {
namespace {

// A digit run longer than this says nothing more; saturating keeps the arithmetic in range.
constexpr int kNumberLimit = 1'000'000;

// With best fit a raster font is taken only if its score is below this.
constexpr int kBestFitLimit = 200;

// Short face names a descriptor may use, and the full faces they stand for.
constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kFaceSubstitutes = {{
    {"Tms Rmn", "Times New Roman"},
    {"Courier", "Courier New"},
    {"Helv", "Arial"},
}};

// A face named with this ending is that face in its Cyrillic character set ("Times New Roman Cyr").
constexpr std::string_view kCyrillicSuffix = " Cyr";

char lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Reads the digit run at text[pos] and moves pos past it; none gives 0.
int read_number(std::string_view text, size_t& pos) {
  int value = 0;
  for (; pos < text.size() && is_digit(text[pos]); ++pos) {
    value = std::min(kNumberLimit, value * 10 + (text[pos] - '0'));
  }
  return value;
}

void set_face(FontRequest& request, std::string_view cp1251_face) {
  std::string face = cp1251_to_utf8(cp1251_face);
  const size_t suffix = kCyrillicSuffix.size();
  if (face.size() > suffix &&
      same_face_name(std::string_view(face).substr(face.size() - suffix), kCyrillicSuffix)) {
    face.resize(face.size() - suffix);
    request.cyrillic = true;
  }
  for (const auto& [old_name, new_name] : kFaceSubstitutes) {
    if (same_face_name(face, old_name)) face = new_name;
  }
  request.face = std::move(face);
}

bool has_pitch(const FontEntry& entry, PitchRequest pitch) {
  const bool fixed = (entry.pitch_and_family & kPitchMask) == kFixedPitch;
  switch (pitch) {
    case PitchRequest::kAny:
      return true;
    case PitchRequest::kFixed:
      return fixed;
    case PitchRequest::kProportional:
      return !fixed;
  }
  return true;
}

bool has_type(const FontEntry& entry, TypeRequest type) {
  switch (type) {
    case TypeRequest::kAny:
      return true;
    case TypeRequest::kRaster:
      return entry.type == FontType::kRaster;
    case TypeRequest::kScalable:
      return entry.type == FontType::kScalable;
  }
  return true;
}

bool is_candidate(const FontEntry& entry, const FontRequest& request) {
  if (!request.face.empty() && !same_face_name(entry.face_name, request.face)) return false;
  if (request.cyrillic && entry.charset != kCyrillicCharset) return false;
  return has_pitch(entry, request.pitch) && has_type(entry, request.type);
}

}  // namespace

bool same_face_name(std::string_view a, std::string_view b) {
  // Most names are plain ASCII, where case folding is A-Z to a-z: compared in place, as select_font
  // compares every installed face with the one asked for.
  const auto is_ascii = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  };
  if (is_ascii(a) && is_ascii(b)) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
  }
  const auto qa = QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()));
  const auto qb = QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size()));
  return qa.compare(qb, Qt::CaseInsensitive) == 0;
}

std::optional<FontRequest> parse_font_descriptor(std::string_view descriptor) {
  while (!descriptor.empty() && descriptor.back() == ' ') descriptor.remove_suffix(1);

  FontRequest request;
  bool fixed = false;
  bool proportional = false;
  bool raster = false;
  bool scalable = false;
  size_t pos = 0;
  while (pos < descriptor.size()) {
    const char option = lower(descriptor[pos++]);
    switch (option) {
      case 't': {
        if (pos >= descriptor.size() || descriptor[pos] != '\'') return std::nullopt;
        const size_t start = pos + 1;
        const size_t end = descriptor.find('\'', start);
        if (end == std::string_view::npos) return std::nullopt;
        const size_t length = end - start;
        if (length < 1 || length > static_cast<size_t>(kFaceNameLength)) return std::nullopt;
        set_face(request, descriptor.substr(start, length));
        pos = end + 1;
        break;
      }
      case 'h':
        request.height_given = true;
        request.height = read_number(descriptor, pos);
        break;
      case 'w':
        request.width_given = true;
        request.width = read_number(descriptor, pos);
        break;
      case 'i':
        request.italic = true;
        break;
      case 'u':
        request.underline = true;
        break;
      case 'e':
        request.bold = true;
        break;
      case 'b':
        request.best_fit = true;
        break;
      case 'f':
        if (proportional) {
          proportional = false;
        } else {
          fixed = true;
        }
        break;
      case 'p':
        if (fixed) {
          fixed = false;
        } else {
          proportional = true;
        }
        break;
      case 'r':
        if (scalable) {
          scalable = false;
        } else {
          raster = true;
        }
        break;
      case 'v':
        if (raster) {
          raster = false;
        } else {
          scalable = true;
        }
        break;
      case 'n':
        request.font_number = read_number(descriptor, pos);
        pos = descriptor.size();
        break;
      default:
        break;
    }
  }
  request.pitch = fixed          ? PitchRequest::kFixed
                  : proportional ? PitchRequest::kProportional
                                 : PitchRequest::kAny;
  request.type = raster ? TypeRequest::kRaster : scalable ? TypeRequest::kScalable : TypeRequest::kAny;
  return request;
}

std::optional<FontChoice> match_font(const FontRequest& request, std::span<const FontEntry> table,
                                     int current_index) {
  const int count = static_cast<int>(table.size());
  const int height = request.height_given ? request.height : 0;
  const int width = request.width_given ? request.width : 0;
  if (request.font_number) {
    const int number = *request.font_number;
    if (number < 1 || number > count) return std::nullopt;
    return FontChoice{number - 1, height, width};
  }

  int best = -1;
  int best_score = kBestFitLimit;
  bool any_candidate = false;
  for (int i = 0; i < count; ++i) {
    const FontEntry& entry = table[i];
    if (!is_candidate(entry, request)) continue;
    any_candidate = true;
    if (entry.type == FontType::kScalable) return FontChoice{i, height, width};
    if (request.best_fit) {
      int score = 0;
      if (request.height_given) score += std::abs(entry.height - request.height);
      if (request.width_given) score += std::abs(entry.width - request.width);
      if (score < best_score) {
        best = i;
        best_score = score;
      }
    } else if ((!request.height_given || entry.height == request.height) &&
               (!request.width_given || entry.width == request.width)) {
      return FontChoice{i, entry.height, entry.width};
    }
  }
  if (!request.best_fit) return std::nullopt;
  // A face that is not installed at all fails even with best fit, so that callers can fall back (the
  // chart writes its labels upwards then) instead of getting the current font at its table size.
  if (!any_candidate && !request.face.empty()) return std::nullopt;
  if (best >= 0) return FontChoice{best, table[best].height, table[best].width};
  if (current_index < 0 || current_index >= count) return std::nullopt;
  return FontChoice{current_index, table[current_index].height, table[current_index].width};
}

}  // namespace zorikan::display
