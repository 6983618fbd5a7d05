// Start-up wiring: the one place where the plug-in connects itself to the host.
#include <string>
#include <vector>

#include "Sundown.h"

#include "LibraryState.h"
#include "Settings.h"

void Sundown::onLoad() {
    globalCvarService = cvarService;

    gameService->RegisterDrawable(whileAlive<CanvasWrapper>(
        [](Sundown& self, const CanvasWrapper& canvas) { self.renderOverlay(canvas); }));

    // The returned wrappers are dropped at once: the page fetches variables when it draws.
    for (const Setting* each : kSettings) {
        cvarService->registerCvar(each->name, each->defaultValue, each->description, each->listed,
                                  each->useMinimum, each->minimum, each->useMaximum, each->maximum,
                                  each->saved);
    }

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

void Sundown::hookGameEvent(const std::string& eventName, void (Sundown::*handler)(std::string)) {
    gameService->HookEvent(eventName,
                           whileAlive<std::string>([handler](Sundown& self, std::string name) {
                               (self.*handler)(std::move(name));
                           }));
}
