// The Sundown plug-in object: every piece of the plug-in's state, and the operations the host
// reaches through its callbacks. It ends a stretch of online play at a limit chosen in advance.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <imgui.h>

#include "CVarWrapper.h"
#include "CanvasWrapper.h"
#include "LinearColor.h"
#include "PluginSettingsWindow.h"
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
    // Which run of the session timer the armed tick belongs to; a tick of an earlier run
    // must not count in this one.
    std::uint32_t timerRun = 0;
    // Whether the page has seeded maxMinutes from the saved minute limit yet.
    bool savedMinutesLoaded = false;
    // The heads-up in the status line's place; none when the status line shows.
    const char* headsUp = nullptr;
    // Counts the heads-ups shown: the end of an older one must not cut a newer one short.
    std::uint32_t headsUpShown = 0;
    // Whether the kept session has been restored, or found not kept, since the load.
    bool sessionRestored = false;
    // Whether "keepSessionOnRestart" was on when the plug-in last looked: turned on at the
    // console since, it keeps the session as it stands at once.
    bool sessionKeptWhenSeen = false;
    // Counted losses since the last counted win; held at 255.
    std::uint8_t lossStreak = 0;
    // The day's budget: the day of play the counts belong to (empty until known), its online
    // matches and seconds of online play.
    std::string dayName;
    std::uint8_t dayMatches = 0;
    std::int32_t daySeconds = 0;
    // Whether "savedDay" has been read since the load.
    bool dayLoaded = false;
    // Whether the approved match's time is being counted, and which match the armed tick counts.
    bool dayMatchTimed = false;
    std::uint32_t dayTickRun = 0;
    std::int32_t dayUnsavedSeconds = 0;
    // The match just counted brought the day to a limit, and no rule has left for it yet.
    bool dayLeaveDue = false;
    static constexpr std::int32_t kMostDailyMinutes = 24 * 60;

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
    void registerSettings();

    // Warns at an approved match's start when it may be the last, and as the minute limit nears.
    void warnIfLastMatch();
    void warnOfTheTimeLeft();
    bool headsUpEnabled();

    // Rules shared by the two end handlers.
    bool takeApprovedMatch(const std::string& handlerName);
    void countEndedMatch();
    void countDestroyedMatch();
    const char* countRuleWarning();
    void countResult(std::uint8_t playerTeam, std::uint8_t winningTeam);
    bool quitRuleMet(const std::string& handlerName);
    void applyQuitRule(const std::string& handlerName);
    void scheduleLeave();

    void colourEnableButton();
    // Settings the page and the toggle load from the console variables.
    void loadCountSettings();

    // The session kept across a restart, when the player asked for it.
    bool keepingSession();
    void restoreSession();
    // Restores the kept session once, and saves it at once when the player has turned keeping
    // it on since the plug-in last looked.
    void noticeKeptSession();
    void saveSession();

    // The day's budget of online play.
    std::int32_t dailySetting(const char* name, std::int32_t most);
    bool dayBudgetOn();
    bool dayIsSpent(bool countingOneMore);
    void loadDay();
    void rollDay(int secondsAgo = 0);
    // The same, for a caller that has read the start hour already.
    void rollDayStartingAt(int startHour, int secondsAgo = 0);
    void saveDay();
    void startTimingMatch();
    void armSecondOfPlay(std::uint32_t run);
    void countSecondOfPlay(std::uint32_t run);
    void countMatchForTheDay();
    void leaveIfTheDayIsSpent();

    // The losing streak: the limit as saved, and whether a counted loss has brought the streak
    // to it.
    std::uint8_t lossStreakLimit();
    bool lossStreakMet(const std::string& handlerName);

    void drawCountRows(CVarWrapper& gamesVariable, CVarWrapper& modeVariable);
    void drawTimerRows(CVarWrapper& minutesVariable);
    void drawChoiceRows();
    void drawLossStreakRows();
    void drawDayRows();
};
