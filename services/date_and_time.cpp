// date_and_time; see date_and_time.h.
#include "services/date_and_time.h"

#include "display/display.h"

namespace zorikan {

void date_and_time(int32_t& day, int32_t& month, int32_t& year, int32_t& hour, int32_t& minute,
                   int32_t& second) {
  int16_t y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  read_date_and_time(y, mo, d, h, mi, s);
  day = d;
  month = mo;
  year = y;
  hour = h;
  minute = mi;
  second = s;
}

}  // namespace zorikan
