// The wall clock, as the operating system tells the plug-in the local date and time: the one
// place the plug-in reads it.
#pragma once

#include "Calendar.h"

// Now, or `secondsAgo` before now, in the local time zone; the start of 1970 if the system
// cannot tell.
LocalTime localTimeNow(int secondsAgo = 0);
