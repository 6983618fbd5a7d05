// A day's budget of online play, for the player who sets one ("dailyMinutes", "dailyMatches"):
// the online matches and minutes played today, across restarts, ending the session when a
// counted match brings the day to a limit. It has its own switch, a limit above 0, so neither a
// restart nor the master switch lifts it. Time is counted as the game's clock runs, a second at a
// time; the wall clock only names the day each second belongs to.
#include <algorithm>
#include <string>

#include "CVarWrapper.h"
#include "LocalTime.h"
#include "SavedSettings.h"
#include "Sundown.h"

namespace {

constexpr float kSecondOfPlay = 1.0F;
// A crash of the game loses at most this much of today's play.
constexpr int kSaveEverySeconds = 60;

}  // namespace

std::int32_t Sundown::dailySetting(const char* name, std::int32_t most) {
    return std::clamp(cvarService->getCvar(name).getIntValue(), 0, most);
}

bool Sundown::dayBudgetOn() {
    return dailySetting("dailyMinutes", kMostDailyMinutes) > 0 ||
           dailySetting("dailyMatches", 255) > 0;
}

bool Sundown::dayIsSpent(bool countingOneMore) {
    const std::int32_t matches = dailySetting("dailyMatches", 255);
    const std::int32_t minutes = dailySetting("dailyMinutes", kMostDailyMinutes);
    return (matches > 0 && dayMatches + (countingOneMore ? 1 : 0) >= matches) ||
           (minutes > 0 && daySeconds >= minutes * 60);
}

void Sundown::loadDay() {
    if (dayLoaded) {
        return;
    }
    dayLoaded = true;
    const SavedDay saved = decodeDay(cvarService->getCvar("savedDay").getStringValue());
    dayName = saved.day;
    dayMatches = saved.matches;
    daySeconds = saved.seconds;
}

// The counts are today's: a day that has changed, by the clock passing the start hour or a
// saved day that is not today, starts at 0. A second of play belongs to the day it started in.
void Sundown::rollDay(int secondsAgo) {
    rollDayStartingAt(dailySetting("dayStartsAt", 23), secondsAgo);
}

void Sundown::rollDayStartingAt(int startHour, int secondsAgo) {
    loadDay();
    const std::string today = dayOfPlay(localTimeNow(secondsAgo), startHour);
    if (today != dayName) {
        dayName = today;
        dayMatches = 0;
        daySeconds = 0;
    }
}

void Sundown::saveDay() {
    dayUnsavedSeconds = 0;
    cvarService->getCvar("savedDay").setValue(encodeDay({dayName, dayMatches, daySeconds}));
}

// At the round start that approves an online match, while the budget is on.
void Sundown::startTimingMatch() {
    if (!dayBudgetOn()) {
        return;
    }
    rollDay();
    dayMatchTimed = true;
    armSecondOfPlay(++dayTickRun);
}

void Sundown::armSecondOfPlay(std::uint32_t run) {
    gameService->SetTimeout(whileAlive<GameWrapper*>([run](Sundown& self, GameWrapper*) {
                                // A tick of a match already counted counts nothing.
                                if (self.dayTickRun == run && self.dayMatchTimed) {
                                    self.countSecondOfPlay(run);
                                }
                            }),
                            kSecondOfPlay);
}

void Sundown::countSecondOfPlay(std::uint32_t run) {
    rollDay(1);
    const bool spentBefore = dayIsSpent(false);
    daySeconds = std::min(daySeconds + 1, kSecondsInADay);
    if (++dayUnsavedSeconds >= kSaveEverySeconds) {
        saveDay();
    }
    // The quit waits for the match's end.
    if (!spentBefore && dayIsSpent(false) && dailySetting("dailyMinutes", kMostDailyMinutes) > 0) {
        showHeadsUp("Sundown: today's time is up, quitting after this match");
    }
    armSecondOfPlay(run);
}

// The first end handler after an approval: the match counts for the day, ended or left, with
// or without a winner, and its time stops.
void Sundown::countMatchForTheDay() {
    const bool timed = dayMatchTimed;
    dayMatchTimed = false;
    if (!timed && !dayBudgetOn()) {
        return;
    }
    rollDay();
    if (dayMatches < 255) {
        ++dayMatches;
    }
    saveDay();
    dayLeaveDue = dayIsSpent(false);
}

// A leave of a rule's in the same handler run takes the day's place: one pair for the match.
void Sundown::leaveIfTheDayIsSpent() {
    if (dayLeaveDue) {
        writeLog("Trying to Exit by the day's budget");
        scheduleLeave();
    }
}
