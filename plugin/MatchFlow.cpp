// The match flow: the one place that turns the game's events into decisions. At the kick-off
// that approves an online match, which heads-up it gets, and what watches it; during it, the
// clock followed a second at a time for the rules that ask; at the match's end, or when it is
// left, which rules are met, how many leave pairs that makes, and what is saved. No rule asks
// another.
#include <string>

#include "ClockFollow.h"
#include "KeptSessionShell.h"
#include "KickOffHeadsUp.h"
#include "LockShell.h"
#include "MatchCounting.h"
#include "OptInRule.h"
#include "Settings.h"
#include "Sundown.h"

void Sundown::GameStart(std::string /*eventName*/) {
    keptSession->notice();
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

// Each rule starts watching the match, and the match is warned of when it may be the last: what
// each rule says of it, as each rule will see it at the match's end.
void Sundown::approveMatch() {
    // The match is played under the limits the lock holds, whatever was typed a moment ago.
    lock->hold();
    KickOffOutlook outlook;
    bool following = false;
    for (OptInRule* rule : matchRules) {
        rule->kickOff(outlook);
        following = following || (rule->on() && rule->followingClock());
    }
    // The clock is followed from the kick-off, a second at a time; an earlier tick ends.
    clock->kickOff(following);
    outlook.timerEndsWhatever = exitPending;
    // The count rules and the streak count only while the master switch is on.
    if (enabled) {
        outlook.count = nextMatchUnder(
            selectedOption, {numberOfGamesPlayed, numberOfWins, numberOfLosses}, maxNumberOfGames);
        outlook.streakEndsWithALoss =
            lossStreak.oneLossFrom(static_cast<std::uint8_t>(held(setting::lossStreakLimit)));
    }
    if (const char* text = kickOffHeadsUp(outlook)) {
        showHeadsUp(text);
    }
}

void Sundown::GameEnd(std::string /*eventName*/) {
    keptSession->notice();
    writeLog("===== GameEnd: Start=====");
    if (gameApproved) {
        endApprovedMatch("GameEnd", true);
    }
}

void Sundown::GameDestroyed(std::string /*eventName*/) {
    keptSession->notice();
    writeLog("===== GameDestroyed: Start=====");
    if (gameApproved) {
        endApprovedMatch("GameDestroyed", false);
    } else if (exitPending && gameService->IsInOnlineGame()) {
        // The online match the timer's quit waited for, left before its kick-off: due now.
        static_cast<void>(timedQuitLeaves("GameDestroyed"));
    }
}

// The first end handler to run after an approval takes the match, so that no later end hook
// counts it again. The opt-in rules see it end, ended or left; a timed quit that waits leaves;
// the count rules and the streak count it, and leave once when either is met. An opt-in rule's
// leave is the match's only when nothing else left: one leave for the match.
void Sundown::endApprovedMatch(const std::string& handlerName, bool gameEnded) {
    lock->hold();
    const char* ruleLeave = nullptr;
    for (OptInRule* rule : matchRules) {
        if (rule->matchEnded() && ruleLeave == nullptr) {
            ruleLeave = rule->leaveLine();
        }
    }
    const bool timedQuit = timedQuitLeaves(handlerName);
    gameApproved = false;
    const Counted counted = gameEnded ? countEndedMatch(*this) : countDestroyedMatch(*this);
    if (counted == Counted::RulesMet) {
        scheduleLeave();
        writeLog(handlerName + ": After Execute");
    }
    if (counted != Counted::Stopped) {
        writeLog("===== " + handlerName + ": DONE=====");
    }
    if (ruleLeave != nullptr && !timedQuit && counted != Counted::RulesMet) {
        writeLog(ruleLeave);
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
    exitPending = false;
    return true;
}
