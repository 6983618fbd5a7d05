#include "DailyBudget.h"

#include <algorithm>

namespace {

// A crash of the game loses at most this much of today's play.
constexpr std::int32_t kSaveEverySeconds = 60;

}  // namespace

void DailyBudget::load(const SavedDay& saved) {
    wasLoaded = true;
    day = saved.day;
    matchesPlayed = saved.matches;
    secondsPlayed = saved.seconds;
}

void DailyBudget::roll(const std::string& today) {
    if (today != day) {
        day = today;
        matchesPlayed = 0;
        secondsPlayed = 0;
    }
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
