// Per-thread layer status.
#include "display/layer_status.h"

namespace zorikan::display {
namespace {
thread_local int32_t t_status = kStatusOk;
}

void record_status(int32_t status) {
  t_status = status;
}
int32_t layer_status() {
  return t_status;
}

}  // namespace zorikan::display
