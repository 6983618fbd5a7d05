// Following online matches: approving them at a round start, counting each once when it ends,
// and leaving the game when the chosen count limit is reached or a timed quit waits.
#include <string>

#include "ServerWrapper.h"
#include "Sundown.h"

namespace {

std::string valueLine(const std::string& label, int value) {
    return label + std::to_string(value);
}

// The objects an end handler asks the host for; they are released when the run ends.
struct MatchResult {
    ServerWrapper game;
    TeamWrapper winner;
    PlayerControllerWrapper player;

    explicit MatchResult(GameWrapper& host)
        : game(host.GetOnlineGame()),
          winner(game.GetGameWinner()),
          player(game.GetLocalPrimaryPlayer()) {}
};

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
    if (!gameApproved) {
        return;
    }
    if (exitPending) {
        writeLog("GameEnd: Trying to execute Exit by TIME");
        scheduleLeave();
    }
    gameApproved = false;
    writeLog("===== GameEnd: Game previously started=====");

    const MatchResult result(*gameService);
    if (result.player.IsNull()) {
        return;
    }
    const PriWrapper replicationInfo = result.player.GetPRI();
    if (replicationInfo.IsNull() || result.winner.IsNull()) {
        return;
    }
    writeLog("===== GameEnd: There is a winning team =====");
    if (!enabled) {
        return;
    }
    writeLog("===== GameEnd: Enable exit by game count =====");
    writeLog(valueLine("GameEnd: numberOfGamesPlayed before: ", numberOfGamesPlayed));
    ++numberOfGamesPlayed;
    countResult(replicationInfo.GetTeamNum(), result.winner.GetTeamNum());
    writeLog(valueLine("GameEnd: numberOfGamesPlayed after: ", numberOfGamesPlayed));
    writeLog(valueLine("GameEnd: maxNumberOfGames: ", maxNumberOfGames));
    writeLog(valueLine("GameEnd: numberOfLosses: ", numberOfLosses));
    writeLog(valueLine("GameEnd: numberOfWins: ", numberOfWins));
    writeLog(valueLine("GameEnd: selectedOption: ", selectedOption));
    if (quitRuleMet("GameEnd")) {
        scheduleLeave();
        writeLog("GameEnd: After Execute");
    }
    writeLog("===== GameEnd: DONE=====");
}

void Sundown::GameDestroyed(std::string /*eventName*/) {
    writeLog("===== GameDestroyed: Start=====");
    if (!gameApproved) {
        return;
    }
    if (exitPending) {
        writeLog("GameDestroyed: Trying to execute Exit by TIME");
        scheduleLeave();
    }
    gameApproved = false;
    writeLog("=====GameDestroyed: Game previously started =====");
    if (!enabled) {
        return;
    }
    writeLog(valueLine("GameDestroyed: numberOfGamesPlayed before: ", numberOfGamesPlayed));
    ++numberOfGamesPlayed;
    writeLog(valueLine("GameDestroyed: numberOfGamesPlayed after: ", numberOfGamesPlayed));
    writeLog(valueLine("GameDestroyed: maxNumberOfGames: ", maxNumberOfGames));

    // A match left without a winner stays counted as played, neither won nor lost.
    const MatchResult result(*gameService);
    if (result.player.IsNull()) {
        return;
    }
    const PriWrapper replicationInfo = result.player.GetPRI();
    if (replicationInfo.IsNull() || result.winner.IsNull()) {
        return;
    }
    countResult(replicationInfo.GetTeamNum(), result.winner.GetTeamNum());
    if (quitRuleMet("GameDestroyed")) {
        scheduleLeave();
        writeLog("GameDestroyed: After Execute");
    }
    writeLog("===== GameDestroyed: DONE=====");
}

void Sundown::countResult(std::uint8_t playerTeam, std::uint8_t winningTeam) {
    if (playerTeam == winningTeam) {
        ++numberOfWins;
    } else {
        ++numberOfLosses;
    }
}

bool Sundown::quitRuleMet(const char* handlerName) {
    const std::string prefix = handlerName;
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
