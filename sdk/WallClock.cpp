#include "WallClock.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "HostWorld.h"

namespace {

// The worlds alive, oldest first: time() has no other way to find the one it speaks for.
std::vector<const HostWorld*>& liveWorlds() {
    static std::vector<const HostWorld*> worlds;
    return worlds;
}

std::int64_t systemSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// Local time is the wall clock as set: the host world's time zone is UTC.
void useUniversalTime() {
#if defined(_WIN32)
    _putenv_s("TZ", "UTC0");
    _tzset();
#else
    setenv("TZ", "UTC0", 1);
    tzset();
#endif
}

}  // namespace

std::int64_t hostWallSeconds() {
    const auto& worlds = liveWorlds();
    return worlds.empty() ? systemSeconds() : worlds.back()->wallSeconds();
}

namespace wallClock {

void attach(const HostWorld& world) {
    useUniversalTime();
    liveWorlds().push_back(&world);
}

void detach(const HostWorld& world) {
    auto& worlds = liveWorlds();
    worlds.erase(std::remove(worlds.begin(), worlds.end(), &world), worlds.end());
}

}  // namespace wallClock

#if !defined(_WIN32)
// The C library's time(), defined again here: this library comes before the C library in the
// order a process looks symbols up, so the plug-in it loads reads the host world's clock.
// (On Windows the loader points the plug-in's import of it here instead.)
extern "C" VANTREL_SDK_API time_t time(time_t* result) noexcept {
    const auto now = static_cast<time_t>(hostWallSeconds());
    if (result != nullptr) {
        *result = now;
    }
    return now;
}
#endif
