// Following online matches: approving them at a round start, counting each once when it ends,
// and leaving the game when the chosen count limit is reached or a timed quit waits.
#include <optional>
#include <string>

#include "ServerWrapper.h"
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

void Sundown::GameStart(std::string /*eventName*/) {
    writeLog("===== GameStart Start=====");
    if (gameService->IsInOnlineGame()) {
        writeLog("===== GameStart: Approving Game=====");
        gameApproved = true;
    }
}

void Sundown::GameEnd(std::string /*eventName*/) {
    writeLog("===== GameEnd: Start=====");
    if (!takeApprovedMatch("GameEnd")) {
        return;
    }
    writeLog("===== GameEnd: Game previously started=====");
    const std::optional<MatchTeams> teams = findTeams(*gameService);
    if (!teams) {
        return;
    }
    writeLog("===== GameEnd: There is a winning team =====");
    if (!enabled) {
        return;
    }
    writeLog("===== GameEnd: Enable exit by game count =====");
    writeLog(valueLine("GameEnd: numberOfGamesPlayed before: ", numberOfGamesPlayed));
    ++numberOfGamesPlayed;
    countResult(teams->player, teams->winner);
    writeLog(valueLine("GameEnd: numberOfGamesPlayed after: ", numberOfGamesPlayed));
    writeLog(valueLine("GameEnd: maxNumberOfGames: ", maxNumberOfGames));
    writeLog(valueLine("GameEnd: numberOfLosses: ", numberOfLosses));
    writeLog(valueLine("GameEnd: numberOfWins: ", numberOfWins));
    writeLog(valueLine("GameEnd: selectedOption: ", selectedOption));
    applyQuitRule("GameEnd");
    writeLog("===== GameEnd: DONE=====");
}

void Sundown::GameDestroyed(std::string /*eventName*/) {
    writeLog("===== GameDestroyed: Start=====");
    if (!takeApprovedMatch("GameDestroyed")) {
        return;
    }
    writeLog("=====GameDestroyed: Game previously started =====");
    if (!enabled) {
        return;
    }
    writeLog(valueLine("GameDestroyed: numberOfGamesPlayed before: ", numberOfGamesPlayed));
    ++numberOfGamesPlayed;
    writeLog(valueLine("GameDestroyed: numberOfGamesPlayed after: ", numberOfGamesPlayed));
    writeLog(valueLine("GameDestroyed: maxNumberOfGames: ", maxNumberOfGames));

    // A match left without a winner stays counted as played, neither won nor lost.
    const std::optional<MatchTeams> teams = findTeams(*gameService);
    if (!teams) {
        return;
    }
    countResult(teams->player, teams->winner);
    applyQuitRule("GameDestroyed");
    writeLog("===== GameDestroyed: DONE=====");
}

// The first end handler to run after an approval takes the match: it carries out a timed quit
// that waits, and clears the approval so that no later end hook counts the match again.
bool Sundown::takeApprovedMatch(const std::string& handlerName) {
    if (!gameApproved) {
        return false;
    }
    if (exitPending) {
        writeLog(handlerName + ": Trying to execute Exit by TIME");
        scheduleLeave();
    }
    gameApproved = false;
    return true;
}

void Sundown::applyQuitRule(const std::string& handlerName) {
    if (quitRuleMet(handlerName)) {
        scheduleLeave();
        writeLog(handlerName + ": After Execute");
    }
}

void Sundown::countResult(std::uint8_t playerTeam, std::uint8_t winningTeam) {
    if (playerTeam == winningTeam) {
        ++numberOfWins;
    } else {
        ++numberOfLosses;
    }
}

bool Sundown::quitRuleMet(const std::string& prefix) {
    switch (selectedOption) {
        case 0:
            if (numberOfGamesPlayed >= maxNumberOfGames) {
                writeLog(prefix + ": Trying to Exit by Games Count");
                return true;
            }
            return false;
        case 1:
            if (numberOfLosses >= maxNumberOfGames) {
                writeLog(
                    valueLine(prefix + ": Trying to Exit by Loss count. Losses:", numberOfLosses));
                return true;
            }
            return false;
        case 2:
            // Widened first: more wins than losses makes the difference negative.
            if (int{numberOfLosses} - int{numberOfWins} >= int{maxNumberOfGames}) {
                writeLog(valueLine(prefix + ": Trying to Exit by Ratio. Wins:", numberOfWins) +
                         valueLine("Losses:", numberOfLosses));
                return true;
            }
            return false;
        default:
            return false;
    }
}
