// The table of activity routines filled with the real activities; see session/activity_routines.h. The
// application composes here the session with the activities, which know nothing of each other.
#include "chart/show_results_chart.h"
#include "session/activity_routines.h"
#include "training/run_training.h"
#include "vision/run_vision_check.h"

namespace zorikan {

ActivityRoutines activity_routines = {&run_training, &run_vision_check, &show_results_chart};

}  // namespace zorikan
