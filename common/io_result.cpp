// The error exit: a failure either goes back to the caller or ends the program.
#include "common/io_result.h"

#include <utility>

#include "common/program_stop.h"

namespace zorikan {

IoResult apply_error_exit(IoResult result, ErrorExit exit) {
  if (!result.ok() && exit == ErrorExit::kNone) report_fatal_error(result.report);
  return result;
}

}  // namespace zorikan
