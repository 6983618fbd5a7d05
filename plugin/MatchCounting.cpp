#include "MatchCounting.h"

#include <optional>
#include <string>

#include "CountRules.h"
#include "KeptSessionShell.h"
#include "LockShell.h"
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

void countResult(Sundown& plugin, std::uint8_t playerTeam, std::uint8_t winningTeam) {
    const bool won = playerTeam == winningTeam;
    if (won) {
        ++plugin.numberOfWins;
    } else {
        ++plugin.numberOfLosses;
    }
    plugin.lossStreak.countResult(won);
}

bool quitRuleMet(Sundown& plugin, const std::string& prefix) {
    if (!countRuleMet(plugin.selectedOption,
                      {plugin.numberOfGamesPlayed, plugin.numberOfWins, plugin.numberOfLosses},
                      plugin.maxNumberOfGames)) {
        return false;
    }
    switch (static_cast<LimitMode>(plugin.selectedOption)) {
        case LimitMode::Games:
            plugin.writeLog(prefix + ": Trying to Exit by Games Count");
            break;
        case LimitMode::Losses:
            plugin.writeLog(valueLine(prefix + ": Trying to Exit by Loss count. Losses:",
                                      plugin.numberOfLosses));
            break;
        default:
            plugin.writeLog(
                valueLine(prefix + ": Trying to Exit by Ratio. Wins:", plugin.numberOfWins) +
                valueLine("Losses:", plugin.numberOfLosses));
            break;
    }
    return true;
}

// The limit is read when a match is counted, so a saved limit counts before the page is drawn.
bool lossStreakMet(Sundown& plugin, const std::string& handlerName) {
    if (!plugin.lossStreak.met(static_cast<std::uint8_t>(plugin.held(setting::lossStreakLimit)))) {
        return false;
    }
    plugin.writeLog(handlerName + ": Trying to Exit by loss streak. Losses in a row:" +
                    std::to_string(plugin.lossStreak.count()));
    return true;
}

// A losing streak at its limit leaves as the count rule does: one leave when both are met.
Counted rulesMet(Sundown& plugin, const std::string& handlerName) {
    return quitRuleMet(plugin, handlerName) || lossStreakMet(plugin, handlerName)
               ? Counted::RulesMet
               : Counted::RulesHeld;
}

}  // namespace

Counted countEndedMatch(Sundown& plugin) {
    plugin.writeLog("===== GameEnd: Game previously started=====");
    const std::optional<MatchTeams> teams = findTeams(*plugin.gameService);
    if (!teams) {
        return Counted::Stopped;
    }
    plugin.writeLog("===== GameEnd: There is a winning team =====");
    if (!plugin.enabled) {
        return Counted::Stopped;
    }
    plugin.writeLog("===== GameEnd: Enable exit by game count =====");
    plugin.writeLog(valueLine("GameEnd: numberOfGamesPlayed before: ", plugin.numberOfGamesPlayed));
    ++plugin.numberOfGamesPlayed;
    countResult(plugin, teams->player, teams->winner);
    plugin.keptSession->save();
    plugin.writeLog(valueLine("GameEnd: numberOfGamesPlayed after: ", plugin.numberOfGamesPlayed));
    plugin.writeLog(valueLine("GameEnd: maxNumberOfGames: ", plugin.maxNumberOfGames));
    plugin.writeLog(valueLine("GameEnd: numberOfLosses: ", plugin.numberOfLosses));
    plugin.writeLog(valueLine("GameEnd: numberOfWins: ", plugin.numberOfWins));
    plugin.writeLog(valueLine("GameEnd: selectedOption: ", plugin.selectedOption));
    return rulesMet(plugin, "GameEnd");
}

Counted countDestroyedMatch(Sundown& plugin) {
    plugin.writeLog("=====GameDestroyed: Game previously started =====");
    if (!plugin.enabled) {
        return Counted::Stopped;
    }
    plugin.writeLog(
        valueLine("GameDestroyed: numberOfGamesPlayed before: ", plugin.numberOfGamesPlayed));
    ++plugin.numberOfGamesPlayed;
    plugin.writeLog(
        valueLine("GameDestroyed: numberOfGamesPlayed after: ", plugin.numberOfGamesPlayed));
    plugin.writeLog(valueLine("GameDestroyed: maxNumberOfGames: ", plugin.maxNumberOfGames));

    // A match left without a winner stays counted as played, neither won nor lost.
    const std::optional<MatchTeams> teams = findTeams(*plugin.gameService);
    if (teams) {
        countResult(plugin, teams->player, teams->winner);
    }
    plugin.keptSession->save();
    if (!teams) {
        return Counted::Stopped;
    }
    return rulesMet(plugin, "GameDestroyed");
}

void Sundown::resetGamesCount() {
    keptSession->lookFirst();
    lock->hold();
    if (lock->refuses()) {
        return;
    }
    numberOfGamesPlayed = 0;
    numberOfWins = 0;
    numberOfLosses = 0;
    lossStreak.reset();
    keptSession->save();
}
