// A session kept across a restart, for the player who asks for it ("keepSessionOnRestart"): the
// master switch, the limit mode, the counts and (while it has a limit) the losing streak, saved in
// "savedSession" as they change and restored once after a load, before any of them is first read
// or changed.
#include <optional>
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
    sessionKeptWhenSeen = keepingSession();
    if (!sessionKeptWhenSeen) {
        return;
    }
    const KeptSession kept = decodeSession(cvarService->getCvar("savedSession").getStringValue());
    if (kept.enabled) {
        enabled = *kept.enabled;
        cvarService->getCvar("enableSundown").setValue(enabled ? 1 : 0);
        // The button shows the switch as a toggle to this state would.
        colourEnableButton();
    }
    if (kept.mode) {
        selectedOption = *kept.mode;
        cvarService->getCvar("enableByNumOption")
            .setValue(std::string(optionLabels[static_cast<std::size_t>(selectedOption)]));
    }
    numberOfGamesPlayed = kept.played;
    numberOfWins = kept.wins;
    numberOfLosses = kept.losses;
    lossStreak = kept.streak;
    // A switch kept on counts against the saved limit, not the empty one of a fresh load.
    loadCountSettings();
}

void Sundown::noticeKeptSession() {
    restoreSession();
    if (!sessionKeptWhenSeen && keepingSession()) {
        saveSession();
    }
}

// While the player keeps the session it is saved as it stands. While they do not, a change
// empties what an earlier session left, so that it never comes back; nothing else is written.
void Sundown::saveSession() {
    sessionKeptWhenSeen = keepingSession();
    CVarWrapper saved = cvarService->getCvar("savedSession");
    if (sessionKeptWhenSeen) {
        // Without a limit on it the streak matters to no rule: the session is saved as before.
        const std::optional<std::uint8_t> streak =
            lossStreakLimit() > 0 ? std::optional<std::uint8_t>(lossStreak) : std::nullopt;
        saved.setValue(encodeSession(enabled, selectedOption, numberOfGamesPlayed, numberOfWins,
                                     numberOfLosses, streak));
    } else if (!saved.getStringValue().empty()) {
        saved.setValue(std::string());
    }
}
