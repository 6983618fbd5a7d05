#include "Durations.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// A plain non-negative decimal number, written out in full.
std::optional<double> parseAmount(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double amount = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(amount)) {
        return std::nullopt;
    }
    return amount;
}

std::optional<std::int64_t> toMicroseconds(double seconds) {
    if (seconds < 0.0) {
        return std::nullopt;
    }
    // Longer than the clock can count is as long as it counts; the script's reader refuses it.
    constexpr double longest = 9.2e12;
    return seconds >= longest ? std::numeric_limits<std::int64_t>::max()
                              : std::llround(seconds * 1e6);
}

}  // namespace

std::optional<std::int64_t> parseDuration(const std::string& text) {
    struct Unit {
        const char* suffix;
        double seconds;
    };
    // "ms" before "m" and "s": the longest suffix that fits wins.
    static const Unit units[] = {{"ms", 0.001}, {"s", 1.0}, {"m", 60.0}, {"h", 3600.0}};
    for (const Unit& unit : units) {
        const std::string suffix = unit.suffix;
        if (text.size() > suffix.size() &&
            text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0) {
            const auto amount = parseAmount(text.substr(0, text.size() - suffix.size()));
            if (amount) {
                return toMicroseconds(*amount * unit.seconds);
            }
        }
    }
    return std::nullopt;
}

std::optional<std::int64_t> parseTimePoint(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return parseDuration(text);
    }
    const auto minutes = parseAmount(text.substr(0, colon));
    const std::string secondsText = text.substr(colon + 1);
    const auto seconds = parseAmount(secondsText);
    if (!minutes || !seconds || *minutes != std::floor(*minutes) || secondsText.size() < 2 ||
        *seconds >= 60.0) {
        return std::nullopt;
    }
    return toMicroseconds(*minutes * 60.0 + *seconds);
}

std::string formatDuration(std::int64_t microseconds) {
    const std::int64_t seconds = microseconds / 1'000'000;
    if (seconds % 3600 == 0 && seconds > 0) {
        return std::to_string(seconds / 3600) + "h";
    }
    if (seconds % 60 == 0 && seconds > 0) {
        return std::to_string(seconds / 60) + "m";
    }
    return std::to_string(seconds) + "s";
}

std::string formatTimestamp(std::int64_t microseconds) {
    const std::int64_t milliseconds = microseconds / 1000;
    char text[48];
    std::snprintf(text, sizeof text, "[%3lld:%02lld.%03lld]",
                  static_cast<long long>(milliseconds / 60000),
                  static_cast<long long>(milliseconds / 1000 % 60),
                  static_cast<long long>(milliseconds % 1000));
    return text;
}
