// The glyph set; see glyph_set.h.
#include "services/glyph_set.h"

namespace zorikan {

GlyphCounts glyph_count = {};
GlyphPoints glyph_points = {};

}  // namespace zorikan
