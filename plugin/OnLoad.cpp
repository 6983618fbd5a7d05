// Start-up wiring: the one place where the plug-in connects itself to the host.
#include <string>
#include <vector>

#include "Sundown.h"

#include "LibraryState.h"

void Sundown::onLoad() {
    globalCvarService = cvarService;

    gameService->RegisterDrawable(whileAlive<CanvasWrapper>(
        [](Sundown& self, const CanvasWrapper& canvas) { self.renderOverlay(canvas); }));

    registerSettings();

    hookGameEvent("Function GameEvent_Soccar_TA.Active.StartRound", &Sundown::GameStart);
    hookGameEvent("Function TAGame.GameEvent_Soccar_TA.EventMatchEnded", &Sundown::GameEnd);
    hookGameEvent("Function TAGame.GameEvent_Soccar_TA.Destroyed", &Sundown::GameDestroyed);
    hookGameEvent("Function TAGame.GameEvent_TA.Destroyed", &Sundown::GameDestroyed);

    cvarService->registerNotifier(
        "SundownEnableDisable",
        whileAlive<std::vector<std::string>>(
            [](Sundown& self, const std::vector<std::string>& /*arguments*/) {
                self.toggleEnabled();
            }),
        "", 0);
    // Answers the settings page's "Reset Games Count" button.
    cvarService->registerNotifier(
        "resetGamesCount",
        whileAlive<std::vector<std::string>>(
            [](Sundown& self, const std::vector<std::string>& /*arguments*/) {
                self.resetGamesCount();
            }),
        "", 0);
}

void Sundown::registerSettings() {
    // The returned wrappers are dropped at once: the page fetches variables when it draws.
    cvarService->registerCvar("enableSundown", "0", "enableSundownByCount", true, true, 0.0F, true,
                              1.0F, false);
    cvarService->registerCvar("enableByNumOption", "0", "enableByNumOption", true, true, 0.0F, true,
                              2.0F, false);
    cvarService->registerCvar("numOfGames", "1", "How many games before quitting", true, true, 1.0F,
                              false, 50.0F, true);
    cvarService->registerCvar("enableByMinutes", "0", "enableSundownByMinutes", true, true, 0.0F,
                              true, 1.0F, false);
    cvarService->registerCvar("numOfMinutes", "1", "How many minutes before quitting", true, true,
                              1.0F, false, 360.0F, true);
    cvarService->registerCvar("enableHeadsUp", "0", "Show a heads-up before quitting", true, true,
                              0.0F, true, 1.0F, true);
    cvarService->registerCvar("keepSessionOnRestart", "0", "Keep the session after a restart", true,
                              true, 0.0F, true, 1.0F, true);
    cvarService->registerCvar("savedSession", "", "Session kept across restarts", false, false,
                              0.0F, false, 0.0F, true);
    cvarService->registerCvar("lossStreakLimit", "0", "Quit after # losses in a row (0: off)", true,
                              true, 0.0F, true, 255.0F, true);
    cvarService->registerCvar("dailyMinutes", "0", "Online minutes a day (0: no limit)", true, true,
                              0.0F, true, 1440.0F, true);
    cvarService->registerCvar("dailyMatches", "0", "Online matches a day (0: no limit)", true, true,
                              0.0F, true, 255.0F, true);
    cvarService->registerCvar("dayStartsAt", "4", "Hour the day starts", true, true, 0.0F, true,
                              23.0F, true);
    cvarService->registerCvar("savedDay", "", "Today's online play", false, false, 0.0F, false,
                              0.0F, true);
}

void Sundown::hookGameEvent(const std::string& eventName, void (Sundown::*handler)(std::string)) {
    gameService->HookEvent(eventName,
                           whileAlive<std::string>([handler](Sundown& self, std::string name) {
                               (self.*handler)(std::move(name));
                           }));
}

void Sundown::armTimeout(void (Sundown::*operation)(), float seconds) {
    gameService->SetTimeout(
        whileAlive<GameWrapper*>(
            [operation](Sundown& self, GameWrapper* /*game*/) { (self.*operation)(); }),
        seconds);
}
