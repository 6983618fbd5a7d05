// The wall clock, as the operating system tells the plug-in the local date and time: the one
// place the plug-in reads it.
#pragma once

#include <optional>

#include "Calendar.h"

// Now, or `secondsAgo` before now, in the local time zone; none if the system cannot tell, or
// tells a date the calendar cannot name.
std::optional<LocalTime> localTimeNow(int secondsAgo = 0);
// The wall clock's second, to tell when it has moved on; nothing else is read from it.
long long wallSecond();
