// Counting an online match that ended or was left: the played, won and lost counts, the losing
// streak, the log lines of the two end handlers, and whether the count rule or the streak is met;
// and setting the counts back to 0.
#include <optional>
#include <string>

#include "ServerWrapper.h"
#include "Settings.h"
#include "Sundown.h"

namespace {

std::string valueLine(const std::string& label, int value) {
    return label + std::to_string(value);
}

// The local player's team and the winning team of the match that ended.
struct MatchTeams {
    std::uint8_t player;
    std::uint8_t winner;
};

// Asks the host for the online game, its winner and the local player, in that order, then the
// player's replication info. None when the player, its replication info or the winner is
// missing. The wrappers are released before this returns.
std::optional<MatchTeams> findTeams(GameWrapper& host) {
    const ServerWrapper game = host.GetOnlineGame();
    const TeamWrapper winner = game.GetGameWinner();
    const PlayerControllerWrapper player = game.GetLocalPrimaryPlayer();
    if (player.IsNull()) {
        return std::nullopt;
    }
    const PriWrapper replicationInfo = player.GetPRI();
    if (replicationInfo.IsNull() || winner.IsNull()) {
        return std::nullopt;
    }
    return MatchTeams{replicationInfo.GetTeamNum(), winner.GetTeamNum()};
}

}  // namespace

Sundown::Counted Sundown::countEndedMatch() {
    writeLog("===== GameEnd: Game previously started=====");
    const std::optional<MatchTeams> teams = findTeams(*gameService);
    if (!teams) {
        return Counted::Stopped;
    }
    writeLog("===== GameEnd: There is a winning team =====");
    if (!enabled) {
        return Counted::Stopped;
    }
    writeLog("===== GameEnd: Enable exit by game count =====");
    writeLog(valueLine("GameEnd: numberOfGamesPlayed before: ", numberOfGamesPlayed));
    ++numberOfGamesPlayed;
    countResult(teams->player, teams->winner);
    saveSession();
    writeLog(valueLine("GameEnd: numberOfGamesPlayed after: ", numberOfGamesPlayed));
    writeLog(valueLine("GameEnd: maxNumberOfGames: ", maxNumberOfGames));
    writeLog(valueLine("GameEnd: numberOfLosses: ", numberOfLosses));
    writeLog(valueLine("GameEnd: numberOfWins: ", numberOfWins));
    writeLog(valueLine("GameEnd: selectedOption: ", selectedOption));
    return rulesMet("GameEnd");
}

Sundown::Counted Sundown::countDestroyedMatch() {
    writeLog("=====GameDestroyed: Game previously started =====");
    if (!enabled) {
        return Counted::Stopped;
    }
    writeLog(valueLine("GameDestroyed: numberOfGamesPlayed before: ", numberOfGamesPlayed));
    ++numberOfGamesPlayed;
    writeLog(valueLine("GameDestroyed: numberOfGamesPlayed after: ", numberOfGamesPlayed));
    writeLog(valueLine("GameDestroyed: maxNumberOfGames: ", maxNumberOfGames));

    // A match left without a winner stays counted as played, neither won nor lost.
    const std::optional<MatchTeams> teams = findTeams(*gameService);
    if (teams) {
        countResult(teams->player, teams->winner);
    }
    saveSession();
    if (!teams) {
        return Counted::Stopped;
    }
    return rulesMet("GameDestroyed");
}

// A losing streak at its limit leaves as the count rule does: one leave when both are met.
Sundown::Counted Sundown::rulesMet(const std::string& handlerName) {
    return quitRuleMet(handlerName) || lossStreakMet(handlerName) ? Counted::RulesMet
                                                                  : Counted::RulesHeld;
}

void Sundown::countResult(std::uint8_t playerTeam, std::uint8_t winningTeam) {
    const bool won = playerTeam == winningTeam;
    if (won) {
        ++numberOfWins;
    } else {
        ++numberOfLosses;
    }
    lossStreak.countResult(won);
}

bool Sundown::quitRuleMet(const std::string& prefix) {
    if (!countRuleMet(selectedOption, {numberOfGamesPlayed, numberOfWins, numberOfLosses},
                      maxNumberOfGames)) {
        return false;
    }
    if (selectedOption == 0) {
        writeLog(prefix + ": Trying to Exit by Games Count");
    } else if (selectedOption == 1) {
        writeLog(valueLine(prefix + ": Trying to Exit by Loss count. Losses:", numberOfLosses));
    } else {
        writeLog(valueLine(prefix + ": Trying to Exit by Ratio. Wins:", numberOfWins) +
                 valueLine("Losses:", numberOfLosses));
    }
    return true;
}

// The limit is read when a match is counted, so a saved limit counts before the page is drawn.
bool Sundown::lossStreakMet(const std::string& handlerName) {
    if (!lossStreak.met(static_cast<std::uint8_t>(heldValue(setting::lossStreakLimit)))) {
        return false;
    }
    writeLog(handlerName + ": Trying to Exit by loss streak. Losses in a row:" +
             std::to_string(lossStreak.count()));
    return true;
}

void Sundown::resetGamesCount() {
    restoreSession();
    numberOfGamesPlayed = 0;
    numberOfWins = 0;
    numberOfLosses = 0;
    lossStreak.reset();
    saveSession();
}
