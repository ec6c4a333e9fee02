// Local calendar fields through localtime_r; see local_calendar.h.
#include "display/local_calendar.h"

#include <time.h>

namespace zorikan::display {

std::tm local_calendar_fields(std::time_t seconds) {
  std::tm fields{};
  localtime_r(&seconds, &fields);
  return fields;
}

}  // namespace zorikan::display
