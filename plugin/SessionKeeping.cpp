// The session kept across a restart, for the player who asks for it ("keepSessionOnRestart"):
// the master switch, the limit mode, the counts and (while it has a limit) the losing streak,
// taken as they stand and saved in "savedSession" as they change, and given back once after a
// load, before any of them is first read or changed.
#include <optional>
#include <string>

#include "Settings.h"
#include "Sundown.h"

SessionSnapshot Sundown::sessionSnapshot() const {
    SessionSnapshot session;
    session.enabled = enabled;
    session.mode = selectedOption;
    session.played = numberOfGamesPlayed;
    session.wins = numberOfWins;
    session.losses = numberOfLosses;
    // Without a limit on it the streak matters to no rule: the session is saved as before.
    if (heldValue(setting::lossStreakLimit) > 0) {
        session.streak = lossStreak.count();
    }
    return session;
}

void Sundown::restoreSession() {
    if (keptSession.restored() ||
        !keptSession.restore(variable(setting::keepSessionOnRestart).getBoolValue())) {
        return;
    }
    const std::string savedText = variable(setting::savedSession).getStringValue();
    const SavedSession kept = decodeSession(savedText);
    keptSession.restored(kept, savedText.empty());
    if (kept.enabled) {
        enabled = *kept.enabled;
        variable(setting::enableSundown).setValue(enabled ? 1 : 0);
        // The button shows the switch as a toggle to this state would.
        colourEnableButton();
    }
    if (kept.mode) {
        selectedOption = *kept.mode;
        variable(setting::enableByNumOption)
            .setValue(std::string(optionLabels[static_cast<std::size_t>(selectedOption)]));
    }
    numberOfGamesPlayed = kept.played;
    numberOfWins = kept.wins;
    numberOfLosses = kept.losses;
    lossStreak.restore(kept.streak);
    // A switch kept on counts against the saved limit, not the empty one of a fresh load.
    loadCountSettings();
}

void Sundown::noticeKeptSession() {
    restoreSession();
    // Fetched only while something may have changed: this runs at every kick-off and match end.
    if ((!keptSession.keptWhenSeen() || !keptSession.streakSaved()) &&
        keptSessionWantsSaving(variable(setting::keepSessionOnRestart).getBoolValue())) {
        saveSession();
    }
}

// Keeping turned on at the console, or a limit on the streak set, since the session was saved.
bool Sundown::keptSessionWantsSaving(bool keeping) const {
    return keptSession.wantsSaving(keeping, keeping && keptSession.keptWhenSeen() &&
                                                !keptSession.streakSaved() &&
                                                heldValue(setting::lossStreakLimit) > 0);
}

// While the player keeps the session it is saved as it stands. While they do not, a change
// empties what an earlier session left, so that it never comes back; nothing else is written.
void Sundown::saveSession() {
    const bool keeping = variable(setting::keepSessionOnRestart).getBoolValue();
    CVarWrapper saved = variable(setting::savedSession);
    if (auto text = keptSession.save(keeping, sessionSnapshot(), saved.getStringValue())) {
        saved.setValue(std::move(*text));
    }
}
