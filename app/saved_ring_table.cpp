// The ring table for the saved parameters; see saved_ring_table.h.
#include "app/saved_ring_table.h"

#include <cstdio>

#include "session/saved_parameters.h"
#include "vision/ring_table.h"

namespace zorikan {

int print_saved_ring_table(bool in_data_folder) {
  SessionParams params = kDefaultSessionParams;
  if (in_data_folder) read_saved_parameters(params);
  print_ring_table(params, stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace zorikan
