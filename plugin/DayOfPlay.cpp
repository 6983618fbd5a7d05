// A day's budget of online play, for the player who sets one ("dailyMinutes", "dailyMatches"):
// the shell's side of the rule. It reads the limits and the wall clock, times an approved match a
// second at a time as the game's clock runs, and saves the day. It has its own switch, a limit
// above 0, so neither a restart nor the master switch lifts it.
#include "HeadsUpTexts.h"
#include "Settings.h"
#include "Sundown.h"
#include "WallClock.h"

namespace {

constexpr float kSecondOfPlay = 1.0F;

}  // namespace

DayLimits Sundown::dayLimits() const {
    DayLimits limits;
    limits.matches = heldValue(setting::dailyMatches);
    limits.minutes = heldValue(setting::dailyMinutes);
    return limits;
}

// Read at the first frame, or before, so that a start hour changed since is seen as a change.
void Sundown::loadDay() {
    if (!day.loaded()) {
        day.load(decodeDay(variable(setting::savedDay).getStringValue()),
                 heldValue(setting::dayStartsAt));
    }
}

// A second of play belongs to the day it started in.
void Sundown::rollDay(int secondsAgo) {
    rollDayStartingAt(heldValue(setting::dayStartsAt), secondsAgo);
}

void Sundown::rollDayStartingAt(int startHour, int secondsAgo) {
    loadDay();
    // A day renamed under a new start hour is saved at once, so that a restart finds it.
    if (day.follow(localTimeNow(secondsAgo), startHour)) {
        saveDay();
    }
}

void Sundown::saveDay() {
    variable(setting::savedDay).setValue(encodeDay(day.save()));
}

// At the round start that approves an online match, while the budget is on.
void Sundown::startTimingMatch() {
    if (!dayLimits().on()) {
        return;
    }
    rollDay();
    armSecondOfPlay(day.startTiming());
}

void Sundown::armSecondOfPlay(std::uint32_t run) {
    gameService->SetTimeout(whileAlive<GameWrapper*>([run](Sundown& self, GameWrapper*) {
                                // A tick of a match already counted counts nothing.
                                if (self.day.timing(run)) {
                                    self.countSecondOfPlay(run);
                                }
                            }),
                            kSecondOfPlay);
}

void Sundown::countSecondOfPlay(std::uint32_t run) {
    rollDay(1);
    const DayLimits limits = dayLimits();
    const bool spentBefore = day.spent(limits, false);
    if (day.countSecond()) {
        saveDay();
    }
    // The quit waits for the match's end.
    if (!spentBefore && day.spent(limits, false) && limits.minutes > 0) {
        showHeadsUp(headsUpText::kTodaysTimeIsUp);
    }
    armSecondOfPlay(run);
}

bool Sundown::countMatchForTheDay() {
    const bool timed = day.stopTiming();
    const DayLimits limits = dayLimits();
    if (!timed && !limits.on()) {
        return false;
    }
    rollDay();
    day.countMatch();
    saveDay();
    return day.spent(limits, false);
}
