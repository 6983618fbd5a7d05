#include "Bedtime.h"

#include "SavedNumber.h"

namespace {

constexpr int kMinutesInADay = 24 * 60;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<ClockTime> parseClockTime(std::string_view text) {
    text = trimmed(text);
    const std::size_t colon = text.find(':');
    if (colon != 1 && colon != 2) {
        return std::nullopt;
    }
    const std::string_view hours = text.substr(0, colon);
    const std::string_view minutes = text.substr(colon + 1);
    if (minutes.size() != 2 || !isDigit(minutes[0]) || !isDigit(minutes[1]) || !isDigit(hours[0]) ||
        (hours.size() == 2 && !isDigit(hours[1]))) {
        return std::nullopt;
    }
    ClockTime time;
    time.hour = hours.size() == 2 ? (hours[0] - '0') * 10 + (hours[1] - '0') : hours[0] - '0';
    time.minute = (minutes[0] - '0') * 10 + (minutes[1] - '0');
    if (time.hour > 23 || time.minute > 59) {
        return std::nullopt;
    }
    return time;
}

bool Night::holds(const LocalTime& moment) const {
    const int begins = from.hour * 60 + from.minute;
    const int ends = untilHour * 60;
    const int now = moment.hour * 60 + moment.minute;
    // Over midnight when it begins later in the day than it ends.
    return begins < ends ? now >= begins && now < ends : now >= begins || now < ends;
}

std::optional<Night> nightOf(std::optional<ClockTime> bedtime, int startHour) {
    if (!bedtime || (bedtime->hour == startHour && bedtime->minute == 0) || startHour < 0 ||
        startHour > 23 || bedtime->hour * 60 + bedtime->minute >= kMinutesInADay) {
        return std::nullopt;
    }
    return Night{*bedtime, startHour};
}

std::uint32_t MatchNight::approve(bool inTheNight) {
    inMatch = true;
    lastMatch = inTheNight;
    return ++watchRun;
}

bool MatchNight::tick(std::uint32_t run, bool inTheNight) {
    if (!watching(run) || lastMatch || !inTheNight) {
        return false;
    }
    lastMatch = true;
    return true;
}

bool MatchNight::end(bool inTheNight) {
    const bool leaves = inMatch && (lastMatch || inTheNight);
    inMatch = false;
    lastMatch = false;
    return leaves;
}

std::string writeClockTime(std::optional<ClockTime> time) {
    if (!time) {
        return {};
    }
    std::string text = "00:00";
    text[0] = static_cast<char>('0' + time->hour / 10);
    text[1] = static_cast<char>('0' + time->hour % 10);
    text[3] = static_cast<char>('0' + time->minute / 10);
    text[4] = static_cast<char>('0' + time->minute % 10);
    return text;
}
