#include "DailyBudget.h"

#include <algorithm>

namespace {

// A crash of the game loses at most this much of today's play.
constexpr std::int32_t kSaveEverySeconds = 60;

}  // namespace

void DailyBudget::load(const SavedDay& saved, int startHour) {
    wasLoaded = true;
    namedUnder = startHour;
    day = saved.day;
    matchesPlayed = saved.matches;
    secondsPlayed = saved.seconds;
}

void DailyBudget::roll(const std::string& today) {
    // Day names compare as dates: "YYYY-MM-DD".
    if (day.empty() || today > day) {
        day = today;
        matchesPlayed = 0;
        secondsPlayed = 0;
    }
}

bool DailyBudget::follow(const LocalTime& moment, int startHour) {
    bool renamed = false;
    if (namedUnder && *namedUnder != startHour && !day.empty()) {
        // A day that ended under the old start hour ended before the change was seen.
        const std::string underOld = dayOfPlay(moment, *namedUnder);
        roll(underOld);
        // With the clock in the day in progress (not set back before it), the day goes on under
        // the name the new start hour gives this moment.
        if (underOld == day) {
            const std::string underNew = dayOfPlay(moment, startHour);
            renamed = underNew != day;
            day = underNew;
        }
    }
    namedUnder = startHour;
    roll(dayOfPlay(moment, startHour));
    return renamed;
}

DailyBudget DailyBudget::at(const LocalTime& moment, int startHour) const {
    DailyBudget after = *this;
    after.follow(moment, startHour);
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
    return {day, matchesPlayed, secondsPlayed};
}
