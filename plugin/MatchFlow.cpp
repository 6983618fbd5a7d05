// The match flow: the one place that turns the game's events into decisions. At the kick-off
// that approves an online match, which heads-up it gets, and what watches it; at the match's end,
// or when it is left, which rules are met, how many leave pairs that makes, and what is saved. No
// rule asks another.
#include <string>

#include "HeadsUpTexts.h"
#include "KickOffHeadsUp.h"
#include "Settings.h"
#include "Sundown.h"

void Sundown::GameStart(std::string /*eventName*/) {
    noticeKeptSession();
    writeLog("===== GameStart Start=====");
    if (gameService->IsInOnlineGame()) {
        writeLog("===== GameStart: Approving Game=====");
        const bool approving = !gameApproved;
        gameApproved = true;
        if (approving) {
            approveMatch();
        }
    }
}

// The match starts being timed for the day, and is warned of when it may be the last: what each
// rule says of it, as each rule will see it at the match's end.
void Sundown::approveMatch() {
    startTimingMatch();
    watchForTheNight();
    KickOffOutlook outlook;
    // The count rules and the streak count only while the master switch is on.
    if (enabled) {
        outlook.count = nextMatchUnder(
            selectedOption, {numberOfGamesPlayed, numberOfWins, numberOfLosses}, maxNumberOfGames);
        outlook.streakEndsWithALoss =
            lossStreak.oneLossFrom(static_cast<std::uint8_t>(heldValue(setting::lossStreakLimit)));
    }
    const DayLimits limits = dayLimits();
    outlook.dayEndsWhatever = limits.on() && day.spent(limits, true);
    outlook.bedtimeEndsWhatever = bedtime.due();
    if (const char* text = kickOffHeadsUp(outlook)) {
        showHeadsUp(text);
    }
}

void Sundown::GameEnd(std::string /*eventName*/) {
    noticeKeptSession();
    writeLog("===== GameEnd: Start=====");
    if (gameApproved) {
        endApprovedMatch("GameEnd", &Sundown::countEndedMatch);
    }
}

void Sundown::GameDestroyed(std::string /*eventName*/) {
    noticeKeptSession();
    writeLog("===== GameDestroyed: Start=====");
    if (gameApproved) {
        endApprovedMatch("GameDestroyed", &Sundown::countDestroyedMatch);
    }
}

// The first end handler to run after an approval takes the match, so that no later end hook
// counts it again. The day counts it, ended or left; a timed quit that waits leaves; the count
// rules and the streak count it, and leave once when either is met. The day's and bedtime's leave
// is the match's only when nothing else left: one leave for the match.
void Sundown::endApprovedMatch(const std::string& handlerName, Counted (Sundown::*countMatch)()) {
    const bool dayMet = countMatchForTheDay();
    const bool bedtimeMet = bedtime.end(inTheNight());
    const bool timedQuit = timedQuitLeaves(handlerName);
    gameApproved = false;
    const Counted counted = (this->*countMatch)();
    if (counted == Counted::RulesMet) {
        scheduleLeave();
        writeLog(handlerName + ": After Execute");
    }
    if (counted != Counted::Stopped) {
        writeLog("===== " + handlerName + ": DONE=====");
    }
    if ((dayMet || bedtimeMet) && !timedQuit && counted != Counted::RulesMet) {
        writeLog(dayMet ? "Trying to Exit by the day's budget" : "Trying to Exit by bedtime");
        scheduleLeave();
    }
}

// A quit that the session timer left to the match's end: a leave pair of its own.
bool Sundown::timedQuitLeaves(const std::string& handlerName) {
    if (!exitPending) {
        return false;
    }
    writeLog(handlerName + ": Trying to execute Exit by TIME");
    scheduleLeave();
    return true;
}
