// Matches: every approved match counted at most once, the played count moving only with a
// match's end or a reset, the losing streak as the player played it, and the leave pair armed
// exactly when a rule is met or a timed quit waits.
#include <algorithm>

#include "Referee.h"

namespace randomPlay {

bool Referee::ruleMet(const Sundown& sundown) const {
    return countRuleMet(sundown.selectedOption, sundown.numberOfGamesPlayed, sundown.numberOfWins,
                        sundown.numberOfLosses, sundown.maxNumberOfGames);
}

void Referee::beforeHook() {
    // Every game function's hook looks at the kept session first.
    streakLimitUnseen = false;
    catchUpTheTimer();
    const Sundown& sundown = *host.sundown();
    const Game& game = host.world.game();
    before = {sundown.numberOfGamesPlayed,
              sundown.numberOfWins,
              sundown.numberOfLosses,
              host.world.clock().pending(),
              model.approved,
              model.timer.waits(),
              sundown.enabled,
              game.online() && game.winningTeam().has_value() && game.localPlayerPresent() &&
                  game.replicationInfoPresent(),
              game.online(),
              game.winningTeam() == game.playerTeam(),
              host.world.console().variable("enableHeadsUp")->boolValue(),
              sundown.headsUp.shown(),
              host.world.events().size()};
}

void Referee::afterHook(const std::string& name) {
    const DayModel::Limits limits = dayLimits();
    if (name == gameFunction::kRoundStart) {
        if (!before.approved && host.world.game().online()) {
            catchUpTheDay();
            model.day.approve(host.world.clock().now(), wallAtZero(), limits);
            model.night.approve(host.world.clock().now(), wallAtZero(), night());
        }
        broke(checkRoundStart());
        model.approved = model.approved || host.world.game().online();
    } else {
        const bool dayMet =
            before.approved &&
            model.day.countMatch(host.world.clock().now(), wallAtZero(), limits, timePassing);
        // Counted with the day, the match may spend the week.
        const bool weekMet =
            before.approved && limits.weekOn() && model.day.weekSpent(limits, false);
        bool bedtimeMet = false;
        if (before.approved) {
            // Inside a timeout due now, the watch's tick due at the same moment has not run yet.
            const std::int64_t now = host.world.clock().now();
            model.night.catchUp(timePassing ? now - 1 : now, wallAtZero(), night());
            bedtimeMet = model.night.end(host.world.wallSeconds(), night());
        }
        broke(checkEndHook(name, dayMet || weekMet, bedtimeMet));
        if (before.approved) {
            broke(checkDay("after " + name));
        }
        model.approved = false;
    }
    if (host.sundown()->gameApproved != model.approved) {
        broke("the plug-in's approval differs from the player's rounds after " + name);
    }
}

std::optional<std::string> Referee::checkEndHook(const std::string& name, bool dayMet,
                                                 bool bedtimeMet) {
    const Sundown& sundown = *host.sundown();
    const int counted = (sundown.numberOfGamesPlayed - before.played + 256) % 256;
    const bool countsPlayed = before.approved && before.enabled &&
                              (name != gameFunction::kMatchEnded || before.teamsKnown);
    if (counted != (countsPlayed ? 1 : 0)) {
        return "the played count moved by " + std::to_string(counted) + " for one " + name;
    }
    const bool ruleApplies = before.approved && before.enabled && before.teamsKnown;
    if (ruleApplies) {
        model.lossStreak = before.won ? 0 : std::min(model.lossStreak + 1, 255);
    }
    if (sundown.lossStreak.count() != model.lossStreak) {
        return "the losing streak is " + std::to_string(sundown.lossStreak.count()) + " where " +
               std::to_string(model.lossStreak) + " losses in a row were counted, after " + name;
    }
    const int streakLimit = variableValue("lossStreakLimit");
    const bool streakMet = streakLimit > 0 && model.lossStreak >= streakLimit;
    // The day's or week's budget and bedtime leave with a rule's leave of the same match, or on
    // their own:
    // one leave for the match; a timed quit keeps its own.
    // A timed quit waits for the online match it ran out in: its end, or leaving it before the
    // kick-off.
    const bool leftOnline =
        name == gameFunction::kSoccarDestroyed || name == gameFunction::kEventDestroyed;
    const bool timedQuit =
        before.timedQuitWaits && (before.approved || (leftOnline && before.online));
    if (timedQuit) {
        model.timer.carriedOut();
    }
    const bool rulesLeave = ruleApplies && (ruleMet(sundown) || streakMet);
    const std::size_t pairs = (timedQuit ? 1U : 0U) + (rulesLeave ? 1U : 0U) +
                              ((dayMet || bedtimeMet) && !timedQuit && !rulesLeave ? 1U : 0U);
    // Each leave arms its pair, and announces itself when the player asked for heads-ups. A
    // lock that puts back a limit at the match's end shows its line, whatever the choice.
    const std::size_t lockLine = lockPutBackSince(before.events) ? 1U : 0U;
    const std::size_t headsUps = (before.headsUps ? pairs : 0U) + lockLine;
    const std::size_t armed = host.world.clock().pending() - before.pending;
    if (armed != 2 * pairs + headsUps ||
        sundown.headsUp.shown() - before.headsUpsShown != headsUps) {
        return std::to_string(armed) + " timeouts armed and " +
               std::to_string(sundown.headsUp.shown() - before.headsUpsShown) +
               " heads-ups shown where " + std::to_string(pairs) + " leaves were due, in " + name;
    }
    return std::nullopt;
}

// The played count moves only with a match's end, or with a reset clicked on the page.
std::optional<std::string> Referee::checkPlayedCount(const Event& event) const {
    const bool reset =
        event.kind == Kind::Click && std::string(kClickable[event.value]) == "Reset Games Count";
    // Time passes while the player's hand moves on the page, and a leave may fall due then.
    const bool gameRan = host.world.clock().now() != timeBefore || event.kind == Kind::WholeMatch ||
                         event.kind == Kind::JoinOnline || event.kind == Kind::StartOffline ||
                         event.kind == Kind::MatchEnd || event.kind == Kind::Leave ||
                         event.kind == Kind::Disconnect;
    if (!reset && !gameRan && host.sundown()->numberOfGamesPlayed != playedBefore) {
        return std::string("the played count changed without a match end");
    }
    return std::nullopt;
}

}  // namespace randomPlay
