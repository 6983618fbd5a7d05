// A session kept across a restart, for the player who asks for it ("keepSessionOnRestart"): the
// master switch, the limit mode and the counts, saved in "savedSession" as they change and
// restored once after a load, before any of them is first read or changed.
#include <string>

#include "CVarWrapper.h"
#include "SavedSettings.h"
#include "Sundown.h"

bool Sundown::keepingSession() {
    return cvarService->getCvar("keepSessionOnRestart").getBoolValue();
}

void Sundown::restoreSession() {
    if (sessionRestored) {
        return;
    }
    sessionRestored = true;
    if (!keepingSession()) {
        return;
    }
    const KeptSession kept = decodeSession(cvarService->getCvar("savedSession").getStringValue());
    if (kept.enabled) {
        enabled = *kept.enabled;
        cvarService->getCvar("enableSundown").setValue(enabled ? 1 : 0);
    }
    if (kept.mode) {
        selectedOption = *kept.mode;
        cvarService->getCvar("enableByNumOption")
            .setValue(std::string(optionLabels[static_cast<std::size_t>(selectedOption)]));
    }
    numberOfGamesPlayed = kept.played;
    numberOfWins = kept.wins;
    numberOfLosses = kept.losses;
    // A switch kept on counts against the saved limit, not the empty one of a fresh load.
    loadCountSettings();
}

void Sundown::saveSession() {
    if (!keepingSession()) {
        return;
    }
    cvarService->getCvar("savedSession")
        .setValue(encodeSession(enabled, selectedOption, numberOfGamesPlayed, numberOfWins,
                                numberOfLosses));
}
