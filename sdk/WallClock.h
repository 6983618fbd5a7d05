// The wall clock the host world shows the plug-in it loads: the date and time of day, moving with
// the virtual clock, set anywhere by whoever drives the host. The plug-in reads it through the C
// library's time(); the host world's time zone is UTC, so local time is what was set.
#pragma once

#include <cstdint>

#include "HostApi.h"

class HostWorld;

// Seconds since 1970-01-01 00:00:00 UTC as the newest live host world's wall clock shows them;
// the system's own time when no host world is alive.
VANTREL_SDK_API std::int64_t hostWallSeconds();

namespace wallClock {
// A host world shows its wall clock from its construction to its destruction; the newest wins.
void attach(const HostWorld& world);
void detach(const HostWorld& world);
}  // namespace wallClock
