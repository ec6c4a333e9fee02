// The local date and time that the training run and the vision check stamp their log records with.
#pragma once

#include <cstdint>

namespace zorikan {

// The current local date (day 1-31, month 1-12, four-digit year) and time of day (hour 0-23,
// minute, second); the hundredths of a second are dropped.
void date_and_time(int32_t& day, int32_t& month, int32_t& year, int32_t& hour, int32_t& minute,
                   int32_t& second);

}  // namespace zorikan
