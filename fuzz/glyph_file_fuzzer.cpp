// Fuzz target: the glyph file reader over a fuzzed zorikan.sym. A file it cannot read ends the program
// with a report, which comes back here as fuzz::ProgramEnded; anything else is a finding.
#include <cstddef>
#include <cstdint>

#include "common/file_units.h"
#include "fuzz/fuzz_support.h"
#include "session/glyph_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zorikan::fuzz::enter_fuzz_work_dir();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorikan;
  fuzz::write_input_file(kGlyphFileName, fuzz::as_text(data, size));
  try {
    read_glyph_file();
  } catch (const fuzz::ProgramEnded&) {
    close_file(kGlyphFileUnit, ErrorExit::kReturn);
  }
  return 0;
}
