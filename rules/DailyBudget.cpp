#include "DailyBudget.h"

#include <algorithm>

namespace {

// A crash of the game loses at most this much of today's play.
constexpr std::int32_t kSaveEverySeconds = 60;

constexpr long long kMinutesInADay = 24LL * 60;

// The hour of the clock an end falls on.
int hourOf(long long minute) {
    return static_cast<int>((minute % kMinutesInADay + kMinutesInADay) % kMinutesInADay / 60);
}

}  // namespace

void DailyBudget::load(const SavedDay& saved, int startHour) {
    wasLoaded = true;
    day = saved.day;
    matchesPlayed = saved.matches;
    secondsPlayed = saved.seconds;
    historyKeptToday = saved.historyKept;
    endsAt.reset();
    if (day.empty()) {
        return;
    }
    // An end written by hand before the day began is none.
    const long long began = dayStart(day, 0);
    endsAt = saved.end && *saved.end > began ? *saved.end : dayStart(dayAfter(day, 1), startHour);
}

void DailyBudget::startDay(const LocalTime& moment, int startHour, bool historyKept) {
    day = dayOfPlay(moment, startHour);
    endsAt = dayStart(dayAfter(day, 1), startHour);
    matchesPlayed = 0;
    secondsPlayed = 0;
    historyKeptToday = historyKept;
}

DayFollowed DailyBudget::follow(const LocalTime& moment, int startHour, bool historyKept) {
    DayFollowed followed;
    const long long now = minuteNumber(moment);
    // A first day, or one that ended without play, can be named again from the clock after a
    // restart: nothing is lost until it is next saved.
    if (day.empty() || !endsAt) {
        startDay(moment, startHour, historyKept);
        return followed;
    }
    if (now >= *endsAt) {
        if (matchesPlayed > 0 || secondsPlayed > 0) {
            followed.ended =
                SavedDay{day, matchesPlayed, secondsPlayed, std::nullopt, historyKeptToday};
            followed.changed = true;
        }
        startDay(moment, startHour, historyKept);
        return followed;
    }
    // A day named more than a day after the clock's, or ending more than two days after now,
    // is a wrong clock's: the play happened today.
    const std::string clocksDay = dayOfPlay(moment, startHour);
    if (dayNumber(day) > dayNumber(clocksDay) + 1 || *endsAt > now + 2 * kMinutesInADay) {
        day = clocksDay;
        endsAt = dayStart(dayAfter(day, 1), startHour);
        followed.changed = true;
    }
    if (hourOf(*endsAt) != startHour) {
        endsAt = nextHourAfter(now, startHour);
        followed.changed = true;
    }
    if (historyKept && !historyKeptToday) {
        historyKeptToday = true;
        followed.changed = true;
    }
    return followed;
}

DailyBudget DailyBudget::at(const LocalTime& moment, int startHour) const {
    DailyBudget after = *this;
    static_cast<void>(after.follow(moment, startHour, historyKeptToday));
    return after;
}

std::uint32_t DailyBudget::startTiming() {
    timed = true;
    return ++tickRun;
}

bool DailyBudget::stopTiming() {
    const bool wasTimed = timed;
    timed = false;
    return wasTimed;
}

bool DailyBudget::countSecond() {
    secondsPlayed = std::min(secondsPlayed + 1, kSecondsInADay);
    return ++unsavedSeconds >= kSaveEverySeconds;
}

void DailyBudget::countMatch() {
    if (matchesPlayed < 255) {
        ++matchesPlayed;
    }
}

bool DailyBudget::spent(const DayLimits& limits, bool countingOneMore) const {
    return (limits.matches > 0 && matchesPlayed + (countingOneMore ? 1 : 0) >= limits.matches) ||
           (limits.minutes > 0 && secondsPlayed >= limits.minutes * 60);
}

SavedDay DailyBudget::save() {
    unsavedSeconds = 0;
    return {day, matchesPlayed, secondsPlayed, endsAt, historyKeptToday};
}
