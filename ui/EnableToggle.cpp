// The master switch: flipping it, saving it, recolouring the enable button, and showing the
// status line for two seconds.
#include "CVarWrapper.h"
#include "SavedSettings.h"
#include "Sundown.h"

void Sundown::toggleEnabled() {
    noticeKeptSession();
    // The page may not have drawn yet: the status line and the rules need the saved limit.
    loadCountSettings();
    enabled = !enabled;
    // The switch's own line takes the place of any heads-up.
    headsUp = nullptr;
    cvarService->getCvar("enableSundown").setValue(enabled ? 1 : 0);
    colourEnableButton();
    armTimeout(&Sundown::hideOverlay, 2.0F);
    overlayAlpha = 255;
    saveSession();
}

// Green while the switch is on, the resting blue while it is off.
void Sundown::colourEnableButton() {
    enableButtonColor = ImColor::HSV((enabled ? 2.0F : 4.0F) / 7.0F, 0.6F, 0.6F, 1.0F);
}

void Sundown::hideOverlay() {
    overlayAlpha = 0;
}

void Sundown::loadCountSettings() {
    const CVarWrapper limitMode = cvarService->getCvar("enableByNumOption");
    if (const auto mode = decodeLimitMode(limitMode.getStringValue())) {
        selectedOption = *mode;
    }
    const CVarWrapper gameLimit = cvarService->getCvar("numOfGames");
    if (gameLimit) {
        maxNumberOfGames = decodeGameLimit(gameLimit.getIntValue());
    }
}

void Sundown::resetGamesCount() {
    restoreSession();
    numberOfGamesPlayed = 0;
    numberOfWins = 0;
    numberOfLosses = 0;
    lossStreak = 0;
    saveSession();
}
