// The local calendar fields of a moment on the wall clock, in the system's time zone; thread-safe. One
// realisation per platform (local_calendar_linux.cpp, local_calendar_win32.cpp).
#pragma once

#include <ctime>

namespace zorikan::display {

std::tm local_calendar_fields(std::time_t seconds);

}  // namespace zorikan::display
