// The training run. Until the run itself is built it returns at once, so that the start screen can
// call it at its place.
#include "training/run_training.h"

namespace zorikan {

void run_training(int32_t, const GlyphCounts&, const GlyphPoints&, int16_t, int16_t) {}

}  // namespace zorikan
