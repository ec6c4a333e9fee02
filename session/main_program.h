// The program's main routine: the start-up sequence, then the main loop.
#pragma once

namespace zorikan {

// Run by the Display layer on the program thread. Sets the exit behaviour, the about text and the
// frame's client area (1024 x 768), opens graphics window unit 1 (980 x 650), reads its real size
// back, enumerates fonts, runs the parameter dialog, registers the mouse handler, reads the glyph
// file and enters the main loop. Never returns: the program ends in stop_program.
[[noreturn]] void main_program();

}  // namespace zorikan
