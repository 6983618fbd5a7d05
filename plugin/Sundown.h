// The Sundown plug-in object: every piece of the plug-in's state, and the operations the host
// reaches through its callbacks. It ends a stretch of online play at a limit chosen in advance.
// The fields the text names are its own; each opt-in rule is a shell of its own that it owns,
// joined to it through the services it offers them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <imgui.h>

#include "CVarWrapper.h"
#include "CanvasWrapper.h"
#include "HeadsUpSlot.h"
#include "LinearColor.h"
#include "LossStreak.h"
#include "OptInRule.h"
#include "PluginSettingsWindow.h"
#include "RuleServices.h"
#include "SessionTimer.h"
#include "Settings.h"
#include "VantrelPlugin.h"

class BedtimeShell;
class ClockFollow;
class DayShell;
class WeekShell;
class KeptSessionShell;
class LockShell;
class SundownLock;
class SundownSession;
class SundownPage;

class Sundown : public Vantrel::Plugin::VantrelPlugin,
                public Vantrel::Plugin::PluginSettingsWindow,
                public std::enable_shared_from_this<Sundown>,
                public RuleServices {
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

    // Match handlers, hooked to game functions; the function's name is ignored. GameStart runs
    // at every round's start, not only the match's first.
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
    // Binds the key named on the settings page to the master switch.
    void applyKeyBind();

    // What the opt-in rules' shells may ask of the plug-in.
    int held(const Setting& which) const override {
        return which.held(variable(which).getIntValue());
    }
    bool flag(const Setting& which) const override { return variable(which).getBoolValue(); }
    std::string text(const Setting& which) const override {
        return variable(which).getStringValue();
    }
    void write(const Setting& which, int value) override { variable(which).setValue(value); }
    void write(const Setting& which, std::string value) override {
        variable(which).setValue(std::move(value));
    }
    std::optional<LocalTime> now(int secondsAgo = 0) const override;
    void after(float seconds, std::function<void()> body) override;
    // Puts `text` in the status line's place for five seconds, when the player asked for
    // heads-ups ("enableHeadsUp"); a newer one replaces it.
    void showHeadsUp(const char* text) override;

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

    // Beyond the text: what the timer, the heads-ups and the losing streak keep, and one shell
    // for each opt-in rule of its own.
    TimerRuns timerRuns;
    // Whether the page has seeded maxMinutes from the saved minute limit yet.
    bool savedMinutesLoaded = false;
    // Whether a canvas frame has been drawn: the first takes the kept session and the day's first
    // looks, each of which happens once whatever takes it.
    bool firstFrameDrawn = false;
    HeadsUpSlot headsUp;
    LossStreak lossStreak;
    std::unique_ptr<DayShell> day;
    std::unique_ptr<WeekShell> week;
    std::unique_ptr<BedtimeShell> bedtime;
    std::unique_ptr<SundownSession> session;
    std::unique_ptr<KeptSessionShell> keptSession;
    std::unique_ptr<SundownLock> lockHolder;
    std::unique_ptr<LockShell> lock;

  private:
    friend class SundownSession;
    friend class SundownLock;
    friend class SundownPage;

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

    // The match flow: what a kick-off and a match's end decide, and the clock followed a second
    // at a time during an approved match while a rule asks for it.
    void approveMatch();
    void endApprovedMatch(const std::string& handlerName, bool gameEnded);
    bool timedQuitLeaves(const std::string& handlerName);
    void scheduleLeave();

    // The page's rows, top to bottom.
    void drawRows(SundownPage& page);
    void colourEnableButton();
    // Settings the page and the toggle load from the console variables.
    void loadCountSettings();

    // The opt-in rules the match flow asks, in its order.
    MatchRules matchRules{};
    // The clock followed once a second for them.
    std::unique_ptr<ClockFollow> clock;
};
