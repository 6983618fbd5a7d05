// The random player's referee: it keeps the player's model and checks the plug-in's promises
// around every game function and after every event. It never moves the game: the run plays, and
// tells the referee what happened. Its checks are in one file per feature.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Events.h"
#include "LockModel.h"
#include "PlayerModel.h"
#include "ValidationHost.h"

namespace randomPlay {

// The plug-in and the game as they stood before a game function's hooks ran.
struct BeforeHook {
    int played;
    int wins;
    int losses;
    std::size_t pending;
    bool approved;
    bool timedQuitWaits;  // the player's timer left a quit waiting for a match
    bool enabled;
    bool teamsKnown;
    bool online;
    bool won;       // the local player's team won, when teams are known
    bool headsUps;  // the player asked for heads-ups
    std::uint32_t headsUpsShown;
    std::size_t events;  // how many the host had recorded
};

class Referee {
  public:
    explicit Referee(ValidationHost& host) : host(host) {}

    // The game's functions, as the host runs their hooks. (Matches.)
    void beforeHook();
    void afterHook(const std::string& name);

    // What the run is about to play, and what it has just played: the first promise broken
    // since it started, if any.
    void startEvent(const Event& event);
    std::optional<std::string> finishEvent(const Event& event);
    // A fault the host recorded since the last look, such as a timeout the game cannot keep.
    std::optional<std::string> checkFaults();

    // While time passes, what happens comes from the timeouts falling due, and frames.
    void timePasses(bool passing) { timePassing = passing; }
    // After a canvas frame while time passes, and after a frame of page input. (Heads-ups.)
    void afterFrame();
    void afterPageFrame();
    // The player flipped the master switch at the console or with a key. (Heads-ups.)
    void toggled();
    // The wall clock or the day's start hour is about to change. (The day.)
    void beforeClockChange();
    // A rule of the clock was set at the console, at once: a page frame after it counts the
    // seconds due by the frame under it.
    void clockRuleSet();
    // The page was drawn. (The day.)
    void pageDrawn();
    // Whether the page offers the week's fields: once the day is counted. (The day.)
    bool weekFieldsShown() const { return dayLimits().counted(); }
    // "resetGamesCount" ran at the console: it saves the session too. (Matches.)
    void countsReset() {
        model.lossStreak = 0;
        streakLimitUnseen = false;
    }
    // The game starts again, before and after the host restarts it. (The kept session.)
    void beforeRestart();
    // The player edited a saved text of the day while the game was closed.
    void savedEdited(const std::string& name, const std::string& text);
    // The host read this bedtime from its saved file; Enter in its field is to keep it.
    void bedtimeRead(std::string text) { bedtimeLoaded = std::move(text); }
    std::optional<std::string> afterRestart();

    // The lock. Whether the page offers it as the player's limits say it must; its button.
    bool lockOffered();
    std::string lockButton() const;
    std::string heldText(const char* name) const;
    // Wall seconds the lock surely holds from now, by the player's model of the day.
    std::int64_t lockHoldsFor() const;
    // The player clicked it: the lock holds the limits as they stand.
    void lockClicked();
    // A change of a limit under the lock begins; it was set at the console, or typed (on the
    // page, or in the saved configuration before a restart) as `set`: what the lock did.
    void beforeLockChange();
    void lockChanged(const std::string& name);
    // The lines of other limits a restart puts back are due too.
    void lockTyped(const std::string& name, const std::string& set,
                   std::vector<std::string> dueToo = {});
    void lockRestartedWith(const std::string& name, const std::string& edited);
    // The master switch's key: whether it flips the switch (on, never off, under the lock).
    bool lockLetsTheSwitchFlip();
    // The key and the count's reset were refused as they must be.
    void lockRefusals();
    // The game started again under the lock.
    void lockRestarted();
    // The clock went past the day the lock was taken in.
    void lockEnded();

  private:
    double now() const { return static_cast<double>(host.world.clock().now()) / 1e6; }
    // A console variable's number as the plug-in reads it, held to a byte.
    int variableValue(const char* name) const {
        return std::clamp(host.world.console().variable(name)->intValue(), 0, 255);
    }
    // Keeps the first promise broken inside the game's functions for the event to report.
    void broke(std::optional<std::string> why) {
        if (!brokenInHook && why) {
            brokenInHook = std::move(why);
        }
    }
    void noteBroken(std::optional<std::string> why) {
        if (!broken && why) {
            broken = std::move(why);
        }
    }

    // Matches: counting, the rules and the leave.
    bool ruleMet(const Sundown& sundown) const;
    std::optional<std::string> checkEndHook(const std::string& name, bool dayMet, bool bedtimeMet);
    std::optional<std::string> checkPlayedCount(const Event& event) const;
    // Heads-ups and the status line.
    std::optional<std::string> checkRoundStart() const;
    std::optional<std::string> checkStatusLine();
    // The day's budget.
    DayModel::Limits dayLimits() const;
    std::int64_t wallAtZero() const {
        return host.world.wallSeconds() - host.world.clock().now() / 1'000'000;
    }
    // The day's seconds and bedtime's ticks due by now, in the player's model.
    void catchUpTheDay(bool pageJustDrawn = false);
    // The game quit while time passed: the day as Sundown last looked at it.
    void noticeQuit();
    std::optional<std::string> checkDay(const std::string& when) const;
    std::optional<std::string> checkSavedAsPlayed();
    // Bedtime.
    std::optional<NightTimes> night() const;
    std::optional<std::string> checkBedtime() const;
    std::optional<std::string> checkBedtimeEntered() const;
    // The history of play.
    std::optional<std::string> checkHistory() const;
    // The session timer: its seconds due by now, in the player's model; a Start/Stop that took
    // effect in the page's last frame.
    void catchUpTheTimer(bool afterAPageFrame = false);
    void timerClicked();
    void timerOutcome(TimerModel::Outcome outcome);
    std::optional<std::string> checkTimer(const Event& wait) const;
    // The page's lines.
    std::optional<std::string> checkPageLine();
    std::optional<std::string> checkChart() const;
    // What the player's hand met on the page: a widget missing, a reset clicked.
    void checkPageInput(const Event& event);
    // The kept session.
    std::optional<std::string> checkKeptSession() const;
    // The lock.
    std::string drawnPage();
    // Whether the plug-in put back a limit it holds since the host's `events`th event.
    bool lockPutBackSince(std::size_t events) const;
    // The lock's lines in the console since the change began, in any order.
    void checkLockLines(std::vector<std::string> due);
    void checkLockedLineShown();

    ValidationHost& host;
    Model model;
    BeforeHook before{};
    std::optional<std::string> brokenInHook;
    // The first promise broken while the event played, outside the game's functions.
    std::optional<std::string> broken;
    std::size_t faultsChecked = 0;
    bool timePassing = false;

    // What stood before the event.
    int playedBefore = 0;
    std::int64_t timeBefore = 0;
    int timerBefore = 0;
    bool timerWasRunning = false;
    // The day's settings as the last catch-up of the day saw them.
    DayModel::Limits limitsSeen;
    // The Start/Stop button as the last page frame left it, and the minutes its field held.
    bool timerRunningInFrame = false;
    int timerMinutesSeen = 1;
    bool pageWasOpen = false;
    std::string bedtimeLoaded;
    // The switch as the last frame of a click on the enable button found it.
    bool toggleClick = false;
    bool enabledInFrame = false;

    // A limit on the streak was set at the console, and the plug-in has not looked since: until
    // it does, the kept session may lack the streak.
    bool streakLimitUnseen = false;
    // Keeping the session was turned on at the console, and the game quit before the plug-in
    // looked: until it saves one, no session may be kept.
    bool keepingUnseen = false;

    // The game's quit has been noticed since it last started.
    bool quitSeen = false;

    // What a restart must bring back.
    bool keepsSession = false;
    std::string sessionBefore;
    int streakKept = 0;
    DayModel dayBefore;

    // The lock, which a restart does not lift; what stood before a change under it.
    LockModel lock;
    std::size_t eventsBeforeChange = 0;
    std::array<int, 3> countsBeforeChange{};
    bool enabledBeforeChange = false;
    std::uint32_t headsUpsBeforeChange = 0;
};

}  // namespace randomPlay
