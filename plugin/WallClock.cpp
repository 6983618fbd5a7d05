#include "WallClock.h"

#include <ctime>

std::optional<LocalTime> localTimeNow(int secondsAgo) {
    const std::time_t now = std::time(nullptr) - secondsAgo;
    std::tm parts{};
#if defined(_WIN32)
    const bool known = localtime_s(&parts, &now) == 0;
#else
    const bool known = localtime_r(&now, &parts) != nullptr;
#endif
    if (!known) {
        return std::nullopt;
    }
    const LocalTime moment{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                           parts.tm_min};
    if (!readable(moment)) {
        return std::nullopt;
    }
    return moment;
}

long long wallSecond() {
    return static_cast<long long>(std::time(nullptr));
}
