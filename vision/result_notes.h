// The notes under a vision check's result, where they apply: a result finer than the set-up measures (its
// gap is under one pixel), with the viewing distance that would measure it or, where that is beyond every
// distance the parameters take, that this screen cannot measure it; and that the rings of the lowest
// levels did not fit the window and were drawn clipped. The check always starts at 0.1, so a clipped ring
// was shown whenever 0.1's does not fit. The record in zorikan.rtr is the same either way.
#pragma once

#include <string>

#include "services/ring_fit.h"
#include "services/session_params.h"

namespace zorikan {

// Texts in Windows-1251; empty where a note does not apply.
struct ResultNotes {
  std::string beyond;
  std::string clipped;
};

ResultNotes result_notes(float acuity, const SessionParams& params, RingWindow window);

}  // namespace zorikan
