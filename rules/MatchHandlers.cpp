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

// Whether rule `option` is met by these counts against `limit`, compared as the rule compares
// them at a match's end.
bool ruleMet(std::int32_t option, std::uint8_t played, std::uint8_t wins, std::uint8_t losses,
             std::uint8_t limit) {
    switch (option) {
        case 0:
            return played >= limit;
        case 1:
            return losses >= limit;
        case 2:
            // Widened first: more wins than losses makes the difference negative.
            return int{losses} - int{wins} >= int{limit};
        default:
            return false;
    }
}

std::uint8_t oneMore(std::uint8_t count) {
    return static_cast<std::uint8_t>(count + 1);
}

}  // namespace

void Sundown::GameStart(std::string /*eventName*/) {
    noticeKeptSession();
    writeLog("===== GameStart Start=====");
    if (gameService->IsInOnlineGame()) {
        writeLog("===== GameStart: Approving Game=====");
        const bool approving = !gameApproved;
        gameApproved = true;
        if (approving) {
            startTimingMatch();
            warnIfLastMatch();
        }
    }
}

// At the start of an approved match: a heads-up when counting it would meet the rule as the
// rule will see it at the match's end, whatever its result or only with a loss; else when one
// more loss would end the losing streak's allowance; else when it is the day's last.
void Sundown::warnIfLastMatch() {
    if (const char* warning = enabled ? countRuleWarning() : nullptr) {
        showHeadsUp(warning);
    } else if (dayBudgetOn() && dayIsSpent(true)) {
        showHeadsUp("Sundown: last game today");
    }
}

const char* Sundown::countRuleWarning() {
    const std::uint8_t played = oneMore(numberOfGamesPlayed);
    const bool lastWithALoss =
        ruleMet(selectedOption, played, numberOfWins, oneMore(numberOfLosses), maxNumberOfGames);
    const bool lastWithAWin =
        ruleMet(selectedOption, played, oneMore(numberOfWins), numberOfLosses, maxNumberOfGames);
    if (lastWithALoss && lastWithAWin) {
        return "Sundown: last game";
    }
    if (lastWithALoss) {
        return "Sundown: one more loss ends the session";
    }
    if (const std::uint8_t limit = lossStreakLimit(); limit > 0 && lossStreak + 1 >= limit) {
        return "Sundown: one more loss in a row ends the session";
    }
    return nullptr;
}

void Sundown::GameEnd(std::string /*eventName*/) {
    noticeKeptSession();
    writeLog("===== GameEnd: Start=====");
    if (!takeApprovedMatch("GameEnd")) {
        return;
    }
    countEndedMatch();
    leaveIfTheDayIsSpent();
}

void Sundown::countEndedMatch() {
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
    saveSession();
    writeLog(valueLine("GameEnd: numberOfGamesPlayed after: ", numberOfGamesPlayed));
    writeLog(valueLine("GameEnd: maxNumberOfGames: ", maxNumberOfGames));
    writeLog(valueLine("GameEnd: numberOfLosses: ", numberOfLosses));
    writeLog(valueLine("GameEnd: numberOfWins: ", numberOfWins));
    writeLog(valueLine("GameEnd: selectedOption: ", selectedOption));
    applyQuitRule("GameEnd");
    writeLog("===== GameEnd: DONE=====");
}

void Sundown::GameDestroyed(std::string /*eventName*/) {
    noticeKeptSession();
    writeLog("===== GameDestroyed: Start=====");
    if (!takeApprovedMatch("GameDestroyed")) {
        return;
    }
    countDestroyedMatch();
    leaveIfTheDayIsSpent();
}

void Sundown::countDestroyedMatch() {
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
    if (teams) {
        countResult(teams->player, teams->winner);
    }
    saveSession();
    if (!teams) {
        return;
    }
    applyQuitRule("GameDestroyed");
    writeLog("===== GameDestroyed: DONE=====");
}

// The first end handler to run after an approval takes the match: it carries out a timed quit
// that waits, and clears the approval so that no later end hook counts the match again.
bool Sundown::takeApprovedMatch(const std::string& handlerName) {
    if (!gameApproved) {
        return false;
    }
    countMatchForTheDay();
    if (exitPending) {
        writeLog(handlerName + ": Trying to execute Exit by TIME");
        scheduleLeave();
    }
    gameApproved = false;
    return true;
}

// A losing streak at its limit leaves as the count rule does; one leave when both are met.
void Sundown::applyQuitRule(const std::string& handlerName) {
    if (quitRuleMet(handlerName) || lossStreakMet(handlerName)) {
        scheduleLeave();
        writeLog(handlerName + ": After Execute");
    }
}

void Sundown::countResult(std::uint8_t playerTeam, std::uint8_t winningTeam) {
    if (playerTeam == winningTeam) {
        ++numberOfWins;
        lossStreak = 0;
    } else {
        ++numberOfLosses;
        if (lossStreak < 255) {
            ++lossStreak;
        }
    }
}

bool Sundown::quitRuleMet(const std::string& prefix) {
    if (!ruleMet(selectedOption, numberOfGamesPlayed, numberOfWins, numberOfLosses,
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
