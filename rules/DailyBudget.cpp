#include "DailyBudget.h"

#include <algorithm>

namespace {

// A crash of the game loses at most this much of today's play.
constexpr std::int32_t kSaveEverySeconds = 60;

}  // namespace

void DailyBudget::load(const SavedDay& saved, int startHour, const std::string& latestEnded) {
    wasLoaded = true;
    namedUnder = startHour;
    latest = saved.day;
    if (isDayName(latestEnded) && dayAfter(latestEnded, 1) > latest) {
        latest = dayAfter(latestEnded, 1);
    }
    day = saved.day;
    matchesPlayed = saved.matches;
    secondsPlayed = saved.seconds;
}

std::optional<SavedDay> DailyBudget::roll(const std::string& today) {
    // Day names compare as dates: "YYYY-MM-DD".
    if (!day.empty() && today <= day) {
        return std::nullopt;
    }
    std::optional<SavedDay> ended;
    if (!day.empty() && (matchesPlayed > 0 || secondsPlayed > 0)) {
        ended = SavedDay{day, matchesPlayed, secondsPlayed};
    }
    day = today;
    if (today > latest) {
        latest = today;
    }
    matchesPlayed = 0;
    secondsPlayed = 0;
    return ended;
}

DayFollowed DailyBudget::follow(const LocalTime& moment, int startHour) {
    DayFollowed followed;
    if (namedUnder && *namedUnder != startHour && !day.empty()) {
        // A day that ended under the old start hour ended before the change was seen.
        const std::string underOld = dayOfPlay(moment, *namedUnder);
        followed.ended = roll(underOld);
        // With the clock in the day in progress (not set back before it), the day goes on under
        // the name the new start hour gives this moment.
        const std::string underNew = dayOfPlay(moment, startHour);
        const bool backTooFar =
            underNew < day && !latest.empty() && underNew < dayAfter(latest, -1);
        if (underOld == day && underNew != day && !backTooFar) {
            followed.renamed = true;
            day = underNew;
        }
    }
    namedUnder = startHour;
    if (std::optional<SavedDay> ended = roll(dayOfPlay(moment, startHour))) {
        followed.ended = std::move(ended);
    }
    return followed;
}

DailyBudget DailyBudget::at(const LocalTime& moment, int startHour,
                            std::optional<SavedDay>* ended) const {
    DailyBudget after = *this;
    DayFollowed followed = after.follow(moment, startHour);
    if (ended != nullptr) {
        *ended = std::move(followed.ended);
    }
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
