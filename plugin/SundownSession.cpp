#include "SundownSession.h"

#include <cstddef>
#include <string>

#include "CountRules.h"
#include "Settings.h"
#include "Sundown.h"

SessionSnapshot SundownSession::session() const {
    SessionSnapshot session;
    session.enabled = plugin.enabled;
    session.mode = plugin.selectedOption;
    session.played = plugin.numberOfGamesPlayed;
    session.wins = plugin.numberOfWins;
    session.losses = plugin.numberOfLosses;
    // Without a limit on it the streak matters to no rule: the session is saved as before.
    if (plugin.held(setting::lossStreakLimit) > 0) {
        session.streak = plugin.lossStreak.count();
    }
    return session;
}

void SundownSession::resume(const SavedSession& kept) {
    if (kept.enabled) {
        plugin.enabled = *kept.enabled;
        plugin.write(setting::enableSundown, plugin.enabled ? 1 : 0);
        // The button shows the switch as a toggle to this state would.
        plugin.colourEnableButton();
    }
    if (kept.mode) {
        plugin.selectedOption = *kept.mode;
        plugin.write(setting::enableByNumOption,
                     std::string(optionLabels[static_cast<std::size_t>(plugin.selectedOption)]));
    }
    plugin.numberOfGamesPlayed = kept.played;
    plugin.numberOfWins = kept.wins;
    plugin.numberOfLosses = kept.losses;
    plugin.lossStreak.restore(kept.streak);
    // A switch kept on counts against the saved limit, not the empty one of a fresh load.
    plugin.loadCountSettings();
}
