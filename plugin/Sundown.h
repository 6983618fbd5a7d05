// The Sundown plug-in object: every piece of the plug-in's state, and the operations the host
// reaches through its callbacks. It ends a stretch of online play at a limit chosen in advance.
// The fields the text names are its own; each opt-in rule is a unit of rules/ that it owns.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <imgui.h>

#include "Bedtime.h"
#include "CVarWrapper.h"
#include "CanvasWrapper.h"
#include "CountRules.h"
#include "DailyBudget.h"
#include "HeadsUpSlot.h"
#include "History.h"
#include "KeptSession.h"
#include "LinearColor.h"
#include "LossStreak.h"
#include "PluginSettingsWindow.h"
#include "SessionTimer.h"
#include "Settings.h"
#include "VantrelPlugin.h"

class Sundown : public Vantrel::Plugin::VantrelPlugin,
                public Vantrel::Plugin::PluginSettingsWindow,
                public std::enable_shared_from_this<Sundown> {
  public:
    // Host plug-in interface. renderOverlay comes first of the new virtual operations so that
    // it takes the third slot of the plug-in part's table, after onLoad and onUnload.
    void onLoad() override;
    // Called by the host's drawable on every canvas frame.
    virtual void renderOverlay(CanvasWrapper canvas);

    Sundown();
    ~Sundown() override;
    Sundown(const Sundown&) = delete;
    Sundown& operator=(const Sundown&) = delete;

    // Host settings-page interface.
    void DrawSettings() override;
    std::string GetPageName() override;
    void AdoptImGuiContext(std::uintptr_t context) override;

    // Log helper: one finished line to the host console, while logEnabled holds.
    void writeLog(std::string message);

    // Match handlers, hooked to game functions; the function's name is ignored.
    void GameStart(std::string eventName);
    void GameEnd(std::string eventName);
    void GameDestroyed(std::string eventName);

    // Leaving the game.
    void delayedDisconnect();
    void delayedExit();

    // Session timer.
    void EnableByTime();
    void runSeconds();

    // Master switch and its status line.
    void toggleEnabled();
    void hideOverlay();
    std::string overlayText() const;
    // Sets the played, won and lost counts to 0: the answer to "resetGamesCount".
    void resetGamesCount();
    // Puts `text` in the status line's place for five seconds, when the player asked for
    // heads-ups ("enableHeadsUp"); a newer one replaces it.
    void showHeadsUp(const char* text);
    // Binds the key named on the settings page to the master switch.
    void applyKeyBind();

    bool logEnabled = false;
    std::uint8_t numberOfGamesPlayed = 0;
    std::uint8_t numberOfWins = 0;
    std::uint8_t numberOfLosses = 0;
    std::uint8_t maxNumberOfGames = 0;
    std::uint8_t maxNumberOfGamesStep = 1;
    std::int32_t selectedOption = 0;
    bool enabled = false;
    bool gameApproved = false;
    bool exitPending = false;
    std::int32_t maxMinutes = 1;
    std::int32_t minutesElapsed = 0;
    std::int32_t secondsElapsed = 0;
    bool timerRunning = false;
    ImVec4 timerButtonColor;
    ImVec4 enableButtonColor;
    bool blinkPhase = false;
    LinearColor overlayColor{0.0F, 0.0F, 0.0F, 0.0F};
    std::int32_t overlayAlpha = 0;

    // Beyond the text: the units of the opt-in rules, and what the shell keeps for them.
    TimerRuns timerRuns;
    // Whether the page has seeded maxMinutes from the saved minute limit yet.
    bool savedMinutesLoaded = false;
    HeadsUpSlot headsUp;
    KeptSession keptSession;
    LossStreak lossStreak;
    DailyBudget day;
    Bedtime bedtime;
    History history;

  private:
    // Callables handed to the host hold the object weakly: the host may keep them, and run
    // them, after the object is gone. Once it is, they do nothing.
    template <typename... HostArguments, typename Body>
    std::function<void(HostArguments...)> whileAlive(Body body) {
        // Testing for expiry is enough: the host never runs a callback while it releases the
        // object, and no callback releases it, so the object outlives the call once it is alive
        // at its start. That spares every canvas frame two atomic updates.
        return [self = weak_from_this(), object = this, body](HostArguments... arguments) {
            if (!self.expired()) {
                body(*object, arguments...);
            }
        };
    }

    void hookGameEvent(const std::string& eventName, void (Sundown::*handler)(std::string));
    void armTimeout(void (Sundown::*operation)(), float seconds);
    // The console variable a setting of the table names; the caller owns the wrapper.
    CVarWrapper variable(const Setting& which) const { return cvarService->getCvar(which.name); }
    // Its number, held within the limits it was registered with.
    int heldValue(const Setting& which) const { return which.held(variable(which).getIntValue()); }

    // The match flow: what a kick-off and a match's end decide.
    void approveMatch();
    // What counting an ended match came to: stopped before the rules (no winner, the switch
    // off), or the rules applied, met or not.
    enum class Counted { Stopped, RulesHeld, RulesMet };
    void endApprovedMatch(const std::string& handlerName, Counted (Sundown::*countMatch)());
    bool timedQuitLeaves(const std::string& handlerName);
    Counted countEndedMatch();
    Counted countDestroyedMatch();
    void countResult(std::uint8_t playerTeam, std::uint8_t winningTeam);
    Counted rulesMet(const std::string& handlerName);
    bool quitRuleMet(const std::string& handlerName);
    bool lossStreakMet(const std::string& handlerName);
    void scheduleLeave();
    bool headsUpEnabled() const;

    void colourEnableButton();
    // Settings the page and the toggle load from the console variables.
    void loadCountSettings();

    // The session kept across a restart: taken as it stands, and given back.
    SessionSnapshot sessionSnapshot() const;
    void restoreSession();
    // Restores the kept session once, and saves it at once when the player has turned keeping
    // it on since the plug-in last looked.
    void noticeKeptSession();
    bool keptSessionWantsSaving(bool keeping) const;
    void saveSession();

    // The day's budget, on the wall clock's days.
    DayLimits dayLimits() const;
    void loadDay();
    // The counts are today's, the day of `secondsAgo` before now.
    void rollDay(int secondsAgo = 0);
    void rollDayStartingAt(int startHour, int secondsAgo = 0);
    void saveDay();
    bool dayCounted() const;
    void startTimingMatch();
    void armSecondOfPlay(std::uint32_t run);
    void countSecondOfPlay(std::uint32_t run);
    // The first end handler after an approval: the match counts for the day. Whether the day is
    // then at a limit.
    bool countMatchForTheDay();

    // Bedtime: the night as it stands, and the watch over an approved match for its beginning.
    std::optional<Night> night() const;
    bool inTheNight() const;
    void watchForTheNight();
    void armNightWatch(std::uint32_t run);
    void nightWatchTick(std::uint32_t run);

    // The history of online play: kept while the player asks, a day added as it ends.
    bool historyKept() const;
    void loadHistory(const std::string& today);
    void keepInHistory(const SavedDay& ended);

    // The settings page, as a flat list of row groups.
    void drawCountRows(CVarWrapper& gamesVariable, CVarWrapper& modeVariable);
    void drawTimerRows(CVarWrapper& minutesVariable);
    void drawChoiceRows();
    void drawLossStreakRows();
    void drawDayRows();
    void drawBedtimeRows();
    void drawHistoryRows();
};
