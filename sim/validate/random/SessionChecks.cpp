// The kept session: while the player keeps it, "savedSession" holds the session as it stands,
// and a restart brings it back whole.
#include <cstdlib>

#include "KeptSessionShell.h"
#include "Referee.h"

namespace randomPlay {

namespace {

// The session as the plug-in keeps it in "savedSession", without the losing streak.
std::string sessionOf(const Sundown& sundown) {
    return std::to_string(sundown.enabled ? 1 : 0) + "," + std::to_string(sundown.selectedOption) +
           "," + std::to_string(sundown.numberOfGamesPlayed) + "," +
           std::to_string(sundown.numberOfWins) + "," + std::to_string(sundown.numberOfLosses);
}

// The losing streak a saved session brings back: its sixth number, written only while a limit on
// the streak is set; 0 without one.
int streakKeptIn(const std::string& saved) {
    std::size_t at = 0;
    for (int comma = 0; comma < 5; ++comma) {
        at = saved.find(',', at);
        if (at == std::string::npos) {
            return 0;
        }
        ++at;
    }
    return std::atoi(saved.c_str() + at);
}

}  // namespace

// While the player keeps the session, what is saved is the session as it stands, with the streak
// once the plug-in has seen a limit on it.
std::optional<std::string> Referee::checkKeptSession() const {
    const Sundown& sundown = *host.sundown();
    const ConsoleVariable* keep = host.world.console().variable("keepSessionOnRestart");
    const ConsoleVariable* saved = host.world.console().variable("savedSession");
    const std::string session = sessionOf(sundown);
    const std::string withStreak = session + "," + std::to_string(sundown.lossStreak.count());
    if (!keep->boolValue() || !sundown.keptSession->looked()) {
        return std::nullopt;
    }
    // Keeping turned on at the console as the game quit: nothing is kept until it is seen.
    if (keepingUnseen && saved->text().empty()) {
        return std::nullopt;
    }
    if (variableValue("lossStreakLimit") > 0 && !streakLimitUnseen) {
        if (saved->text() != withStreak) {
            return "the session is " + withStreak + " with a limit on the streak, but \"" +
                   saved->text() + "\" is kept";
        }
        return std::nullopt;
    }
    // The limit may have changed since the save: the streak is kept, or not.
    if (saved->text() == session || saved->text() == withStreak) {
        return std::nullopt;
    }
    return "the session is " + withStreak + " but \"" + saved->text() + "\" is kept";
}

// The game quits, if it has not, and starts again: what a kept session must bring back, and what
// was played up to the restart, and saved of it.
void Referee::beforeRestart() {
    keepsSession = host.world.console().variable("keepSessionOnRestart")->boolValue();
    sessionBefore = sessionOf(*host.sundown());
    streakKept =
        keepsSession ? streakKeptIn(host.world.console().variable("savedSession")->text()) : 0;
    catchUpTheDay();
    dayBefore = model.day;
}

void Referee::savedEdited(const std::string& name, const std::string& text) {
    if (name == "savedDay") {
        dayBefore.edited(text);
    } else if (name == "savedHistory") {
        dayBefore.history.edited(text);
    }
}

// At its first frame a kept session is back.
std::optional<std::string> Referee::afterRestart() {
    model = Model{};
    timerRunningInFrame = false;
    timerMinutesSeen = host.sundown()->maxMinutes;
    limitsSeen = dayLimits();
    quitSeen = false;
    streakLimitUnseen = true;
    model.lossStreak = streakKept;
    dayBefore.restart(dayLimits().startHour, dayLimits().daysKept(), host.world.wallSeconds());
    if (dayLimits().counted()) {
        dayBefore.look(host.world.wallSeconds(), dayLimits());
    }
    model.day = dayBefore;
    const std::string after = sessionOf(*host.sundown());
    if (keepsSession && after != sessionBefore) {
        return "the session " + sessionBefore + " came back as " + after + " after a restart";
    }
    return std::nullopt;
}

}  // namespace randomPlay
