#include "Lock.h"

#include <string_view>
#include <vector>

#include "SavedNumber.h"

namespace {

constexpr long long kMinutesInADay = 24LL * 60;

// The eleven numbers of the saved text, in their order.
constexpr std::size_t kNumbers = 11;

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator)) {
        pieces.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    pieces.push_back(text);
    return pieces;
}

// An empty piece is none; anything else must read.
template <typename Value, typename Read>
bool readOptional(std::string_view piece, std::optional<Value>& into, Read read) {
    if (trimmed(piece).empty()) {
        into.reset();
        return true;
    }
    into = read(piece);
    return into.has_value();
}

// Each number within the range its setting is registered with.
bool readNumbers(std::string_view piece, LockedLimits& limits) {
    const std::vector<std::string_view> texts = split(piece, ',');
    if (texts.size() != kNumbers) {
        return false;
    }
    long long numbers[kNumbers];
    // The count's and the timer's limits have no maximum at the console.
    constexpr long long kNone = 2147483647;
    constexpr long long kMost[kNumbers] = {1, 2, kNone, kNone, 255, 1440, 255, 10080, 2000, 23, 1};
    constexpr long long kLeast[kNumbers] = {0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0};
    for (std::size_t index = 0; index < kNumbers; ++index) {
        const std::optional<long long> number = wholeNumber(texts[index]);
        if (!number || *number < kLeast[index] || *number > kMost[index]) {
            return false;
        }
        numbers[index] = *number;
    }
    limits.countRulesOn = numbers[0] == 1;
    limits.mode = static_cast<int>(numbers[1]);
    limits.games = static_cast<int>(numbers[2]);
    limits.minutes = static_cast<int>(numbers[3]);
    limits.streak = static_cast<int>(numbers[4]);
    limits.daily.minutes = static_cast<int>(numbers[5]);
    limits.daily.matches = static_cast<int>(numbers[6]);
    limits.week.minutes = static_cast<int>(numbers[7]);
    limits.week.matches = static_cast<int>(numbers[8]);
    limits.startHour = static_cast<int>(numbers[9]);
    limits.sessionKept = numbers[10] == 1;
    return true;
}

}  // namespace

void Lock::take(const std::string& day, long long end, const LockedLimits& limits) {
    holding = true;
    lockedDay = day;
    endsAt = end;
    locked = limits;
}

bool Lock::follow(const LocalTime& moment, int startHour) {
    if (!holding) {
        return false;
    }
    const long long now = minuteNumber(moment);
    const bool wrongClock = dayNumber(lockedDay) > dayNumber(dayOfPlay(moment, startHour)) + 1 ||
                            endsAt > now + 2 * kMinutesInADay;
    if (now >= endsAt || wrongClock) {
        holding = false;
        return true;
    }
    return false;
}

Holding Lock::hold(const LockedLimits& set) {
    Holding held = holdTo(locked, set);
    locked = held.kept;
    return held;
}

// "DAY;END;on,mode,games,minutes,streak,dailyMinutes,dailyMatches,weeklyMinutes,weeklyMatches,
// startHour,kept;BEDTIME;MINUTES BY WEEKDAY;MATCHES BY WEEKDAY", the last three empty for none.
std::string Lock::save() const {
    if (!holding) {
        return {};
    }
    std::string text = lockedDay + ";" + momentName(endsAt) + ";";
    for (const int number :
         {locked.countRulesOn ? 1 : 0, locked.mode, locked.games, locked.minutes, locked.streak,
          locked.daily.minutes, locked.daily.matches, locked.week.minutes, locked.week.matches,
          locked.startHour, locked.sessionKept ? 1 : 0}) {
        text += std::to_string(number) + ",";
    }
    text.back() = ';';
    text += writeClockTime(locked.bedtime) + ";";
    text += writeWeekdayNumbers(locked.minutesByWeekday) + ";" +
            writeWeekdayNumbers(locked.matchesByWeekday);
    return text;
}

void Lock::load(const std::string& saved) {
    holding = false;
    const std::vector<std::string_view> pieces = split(saved, ';');
    if (pieces.size() != 6) {
        return;
    }
    const std::string day(trimmed(pieces[0]));
    const std::optional<long long> end = readMoment(pieces[1]);
    LockedLimits limits;
    const bool read = isDayName(day) && end && readNumbers(pieces[2], limits) &&
                      readOptional(pieces[3], limits.bedtime, parseClockTime) &&
                      readOptional(pieces[4], limits.minutesByWeekday,
                                   [](std::string_view text) {
                                       return readWeekdayNumbers(std::string(text), 1440);
                                   }) &&
                      readOptional(pieces[5], limits.matchesByWeekday, [](std::string_view text) {
                          return readWeekdayNumbers(std::string(text), 255);
                      });
    if (read) {
        take(day, *end, limits);
    }
}

ClockTime clockOf(long long minute) {
    const auto inDay =
        static_cast<int>((minute % kMinutesInADay + kMinutesInADay) % kMinutesInADay);
    return ClockTime{inDay / 60, inDay % 60};
}
