// The table of activity routines; see activity_routines.h.
#include "session/activity_routines.h"

#include "chart/show_results_chart.h"
#include "training/run_training.h"
#include "vision/run_vision_check.h"

namespace zorikan {

ActivityRoutines activity_routines = {&run_training, &run_vision_check, &show_results_chart};

}  // namespace zorikan
