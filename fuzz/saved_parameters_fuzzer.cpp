// Fuzz target: the reader of the saved parameters over a fuzzed zorikan.vvd, through its public entry
// point only.
#include <cstddef>
#include <cstdint>

#include "common/file_units.h"
#include "fuzz/fuzz_support.h"
#include "services/session_params.h"
#include "session/saved_parameters.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zorikan::fuzz::enter_fuzz_work_dir();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorikan;
  fuzz::write_input_file(kSavedParametersFileName, fuzz::as_text(data, size));
  SessionParams params;
  try {
    read_saved_parameters(params);
  } catch (const fuzz::ProgramEnded&) {
    close_file(kSavedParametersUnit, ErrorExit::kReturn);
  }
  return 0;
}
