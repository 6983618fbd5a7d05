#include "NightModel.h"

namespace randomPlay {

namespace {

constexpr std::int64_t kSecond = 1'000'000;

std::string twoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10)) +
           static_cast<char>('0' + value % 10);
}

}  // namespace

std::string clockText(int minuteOfDay) {
    return twoDigits(minuteOfDay / 60) + ":" + twoDigits(minuteOfDay % 60);
}

bool clockReadable(std::int64_t wallSeconds) {
    constexpr std::int64_t kYear0001 = -62'135'596'800;  // 0001-01-01 00:00:00 UTC
    constexpr std::int64_t kYear9999 = 253'370'764'800;  // 9999-01-01 00:00:00 UTC
    return wallSeconds >= kYear0001 && wallSeconds < kYear9999;
}

bool NightTimes::holds(std::int64_t wallSeconds) const {
    if (!clockReadable(wallSeconds)) {
        return false;
    }
    const int minute = static_cast<int>(wallSeconds % 86'400 / 60);
    return from < until ? minute >= from && minute < until : minute >= from || minute < until;
}

std::string NightTimes::line() const {
    return "Bedtime: " + clockText(from) + " to " + clockText(until);
}

std::optional<NightTimes> nightFrom(const std::string& bedtime, int startHour) {
    const std::size_t first = bedtime.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const std::string time = bedtime.substr(first, bedtime.find_last_not_of(" \t\r\n") - first + 1);
    const bool digitsOnly = time.find_first_not_of("0123456789:") == std::string::npos;
    const std::size_t colon = time.find(':');
    if (!digitsOnly || (colon != 1 && colon != 2) || time.size() != colon + 3 ||
        time.find(':', colon + 1) != std::string::npos) {
        return std::nullopt;
    }
    const int hour = std::stoi(time.substr(0, colon));
    const int minute = std::stoi(time.substr(colon + 1));
    if (hour > 23 || minute > 59 || (hour == startHour && minute == 0)) {
        return std::nullopt;
    }
    return NightTimes{hour * 60 + minute, startHour * 60};
}

void NightModel::approve(std::int64_t now, std::int64_t wallAtZero,
                         const std::optional<NightTimes>& night) {
    inMatch = true;
    lastMatch = night && night->holds(wallAtZero + now / kSecond);
    nextTick = now + kSecond;
}

void NightModel::catchUp(std::int64_t now, std::int64_t wallAtZero,
                         const std::optional<NightTimes>& night) {
    for (; inMatch && !lastMatch && nextTick <= now; nextTick += kSecond) {
        lastMatch = night && night->holds(wallAtZero + nextTick / kSecond);
    }
}

bool NightModel::end(std::int64_t wallSeconds, const std::optional<NightTimes>& night) {
    const bool leaves = inMatch && night && (lastMatch || night->holds(wallSeconds));
    inMatch = false;
    lastMatch = false;
    return leaves;
}

}  // namespace randomPlay
