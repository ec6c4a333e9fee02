// Local calendar fields through the runtime's localtime_s, which writes into the caller's structure;
// see local_calendar.h.
#include "display/local_calendar.h"

#include <time.h>

namespace zorikan::display {

std::tm local_calendar_fields(std::time_t seconds) {
  std::tm fields{};
  localtime_s(&fields, &seconds);
  return fields;
}

}  // namespace zorikan::display
