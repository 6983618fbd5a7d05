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
// The history is read with it: a day in progress is never named before a day that ended.
void Sundown::loadDay() {
    if (day.loaded()) {
        return;
    }
    const SavedDay saved = decodeDay(variable(setting::savedDay).getStringValue());
    const int startHour = heldValue(setting::dayStartsAt);
    // Today is the day saved: no day in the history comes after it.
    loadHistory(saved.day.empty() ? dayOfPlay(localTimeNow(), startHour) : saved.day);
    day.load(saved, startHour, history.days().empty() ? std::string() : history.days().back().day);
}

// A second of play belongs to the day it started in.
void Sundown::rollDay(int secondsAgo) {
    rollDayStartingAt(heldValue(setting::dayStartsAt), secondsAgo);
}

void Sundown::rollDayStartingAt(int startHour, int secondsAgo) {
    loadDay();
    const DayFollowed followed = day.follow(localTimeNow(secondsAgo), startHour);
    // A day renamed under a new start hour is saved at once, so that a restart finds it.
    if (followed.renamed) {
        saveDay();
    }
    if (followed.ended && historyKept()) {
        keepInHistory(*followed.ended);
    }
}

void Sundown::saveDay() {
    variable(setting::savedDay).setValue(encodeDay(day.save()));
}

// The day's play is counted while the budget is on, or a history is kept.
bool Sundown::dayCounted() const {
    return dayLimits().on() || historyKept();
}

// At the round start that approves an online match, while the day is counted.
void Sundown::startTimingMatch() {
    if (!dayCounted()) {
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
    if (!timed && !limits.on() && !historyKept()) {
        return false;
    }
    rollDay();
    day.countMatch();
    saveDay();
    return day.spent(limits, false);
}
