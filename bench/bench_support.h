// What several benchmarks share: the shipped glyphs loaded as the program loads them, and the reference
// time of a plain memcpy of a whole-window image.
#pragma once

#include <cstddef>

namespace zorikan::bench {

// Reads data/zorikan.sym of the source tree into the program's glyph arrays, once.
void load_shipped_glyphs();

// Seconds of one memcpy of `bytes` bytes, the fastest of 200 (as the benchmark loops run warm); measured
// once per size.
double memcpy_seconds(size_t bytes);

}  // namespace zorikan::bench
