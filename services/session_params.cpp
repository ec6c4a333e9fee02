// The session's parameters; see session_params.h.
#include "services/session_params.h"

namespace zorikan {

SessionParams session_params;

}  // namespace zorikan
