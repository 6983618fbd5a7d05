// Online matches counted, and the game left at the chosen count limit.
#include <gtest/gtest.h>

#include "HostFixture.h"
#include "HostTestAccess.h"

namespace {

const std::string kDisconnect = "unreal_command disconnect";
const std::string kExit = "unreal_command exit";

// A host with the master switch on, a rule and a limit, as the settings page leaves them.
struct CountingHost : PluginHost {
    CountingHost(std::int32_t rule, std::uint8_t limit) {
        sundown().enabled = true;
        sundown().selectedOption = rule;
        sundown().maxNumberOfGames = limit;
    }
};

std::size_t indexOf(const std::vector<std::string>& lines, const std::string& line) {
    const auto found = std::find(lines.begin(), lines.end(), line);
    return static_cast<std::size_t>(found - lines.begin());
}

}  // namespace

TEST(MatchRoad, TwoGamesThenTheGameLeavesOneSecondAndFourSecondsLater) {
    CountingHost host(0, 2);
    host.sundown().logEnabled = true;

    host.playMatch(Result::Win);
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 1);
    EXPECT_EQ(host.sundown().numberOfWins, 1);
    EXPECT_EQ(host.world.clock().pending(), 0U);
    const auto firstLines = host.logLines();
    EXPECT_NE(indexOf(firstLines, "GameEnd: numberOfGamesPlayed before: 0"), firstLines.size());
    EXPECT_NE(indexOf(firstLines, "GameEnd: numberOfGamesPlayed after: 1"), firstLines.size());

    host.wait(30);
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.sundown().numberOfLosses, 1);
    const auto lines = host.logLines();
    const std::size_t afterExecute = indexOf(lines, "GameEnd: After Execute");
    ASSERT_LT(afterExecute, lines.size());
    EXPECT_EQ(lines[afterExecute - 1], "GameEnd: Trying to Exit by Games Count");
    EXPECT_EQ(lines[afterExecute + 1], "===== GameEnd: DONE=====");

    host.wait(10);
    EXPECT_EQ(host.pluginCommandTimes(kDisconnect), std::vector<double>{31.0});
    EXPECT_EQ(host.pluginCommandTimes(kExit), std::vector<double>{34.0});
    EXPECT_TRUE(host.world.game().quit());
}

TEST(MatchRoad, EveryLineOfACountedMatchInOrder) {
    CountingHost host(2, 5);
    host.sundown().logEnabled = true;
    host.playMatch(Result::Loss);
    const std::vector<std::string> expected = {
        "===== GameStart Start=====",
        "===== GameStart: Approving Game=====",
        "===== GameEnd: Start=====",
        "===== GameEnd: Game previously started=====",
        "===== GameEnd: There is a winning team =====",
        "===== GameEnd: Enable exit by game count =====",
        "GameEnd: numberOfGamesPlayed before: 0",
        "GameEnd: numberOfGamesPlayed after: 1",
        "GameEnd: maxNumberOfGames: 5",
        "GameEnd: numberOfLosses: 1",
        "GameEnd: numberOfWins: 0",
        "GameEnd: selectedOption: 2",
        "===== GameEnd: DONE=====",
        "===== GameDestroyed: Start=====",
        "===== GameDestroyed: Start=====",
    };
    EXPECT_EQ(host.logLines(), expected);
}

TEST(MatchCounting, EachApprovedMatchIsCountedOnceWhateverHookComesFirst) {
    CountingHost host(0, 100);
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 1);

    // Left before the end: the destroyed hook counts it, the second destroyed hook does not.
    host.startOnlineMatch();
    host.destroyMatch();
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 2);

    // Several round starts approve the same match again; it is still counted once.
    host.startOnlineMatch();
    host.world.game().startRound();
    host.world.game().startRound();
    host.endMatch(Result::Win);
    host.world.fireHook(gameFunction::kMatchEnded);  // harsher than the game: ended twice
    host.destroyMatch();
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 3);
    EXPECT_EQ(host.sundown().numberOfWins, 1);
    EXPECT_EQ(host.world.liveObjects(),
              static_cast<std::int64_t>(host.world.console().variableNames().size()))
        << "every game wrapper was released";
}

TEST(MatchCounting, ADestroyedMatchWithoutWinnerCountsAsPlayedOnly) {
    CountingHost host(0, 0);
    host.sundown().logEnabled = true;
    host.startOnlineMatch();
    host.destroyMatch();
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 1);
    EXPECT_EQ(host.sundown().numberOfWins, 0);
    EXPECT_EQ(host.sundown().numberOfLosses, 0);
    // No rule was applied, even though a limit of 0 is met by any count.
    EXPECT_EQ(host.world.clock().pending(), 0U);
    const auto lines = host.logLines();
    EXPECT_EQ(indexOf(lines, "===== GameDestroyed: DONE====="), lines.size());
    EXPECT_EQ(lines.back(), "===== GameDestroyed: Start=====");
}

TEST(MatchCounting, AMatchEndWithoutPlayerOrWinnerGoesUncounted) {
    CountingHost host(0, 0);
    host.startOnlineMatch();
    host.world.game().setReplicationInfo(false);
    host.endMatch(Result::Win);
    host.destroyMatch();
    host.world.game().setReplicationInfo(true);
    host.startOnlineMatch();
    host.endMatch(Result::NoWinner);
    host.destroyMatch();
    host.startOnlineMatch();
    host.world.game().setLocalPlayer(false);
    host.endMatch(Result::Loss);
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 0);
    EXPECT_EQ(host.world.clock().pending(), 0U);
}

TEST(MatchCounting, OfflineMatchesAndSwitchedOffMatchesAreNeverCounted) {
    CountingHost host(0, 0);
    host.world.game().startOffline();
    host.world.game().startRound();
    host.endMatch(Result::Loss);
    host.destroyMatch();
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 0);

    host.sundown().enabled = false;
    host.startOnlineMatch();
    host.endMatch(Result::Loss);
    host.sundown().enabled = true;  // too late for that match
    host.destroyMatch();
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 0);
    EXPECT_FALSE(host.sundown().gameApproved);
    EXPECT_TRUE(host.pluginCommands().empty());
}

TEST(MatchCounting, The256thMatchWrapsThePlayedCountToZero) {
    CountingHost host(1, 255);  // losses, and every match is won: the game plays on
    for (int match = 0; match < 256; ++match) {
        host.playMatch(Result::Win);
    }
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 0);
    EXPECT_EQ(host.sundown().numberOfWins, 0);
    EXPECT_FALSE(host.world.game().quit());
}

TEST(MatchCounting, AGamesLimitOf255LeavesAtThe255thMatch) {
    CountingHost host(0, 255);
    for (int match = 0; match < 255; ++match) {
        host.playMatch(Result::Win);
        host.wait(10);
    }
    EXPECT_EQ(host.pluginCommandTimes("unreal_command exit").size(), 1U);
    EXPECT_TRUE(host.world.game().quit());
}

// One host at a time: the library holds one plug-in object for the whole process.
TEST(QuitRules, LossesCountAgainstTheLimit) {
    CountingHost losses(1, 2);
    losses.playMatch(Result::Loss);
    losses.playMatch(Result::Win);
    EXPECT_EQ(losses.world.clock().pending(), 0U);
    losses.playMatch(Result::Loss);
    EXPECT_EQ(losses.world.clock().pending(), 2U);
}

TEST(QuitRules, LossesMinusWinsCountAgainstTheLimit) {
    CountingHost ratio(2, 1);
    ratio.sundown().logEnabled = true;
    ratio.playMatch(Result::Win);
    ratio.playMatch(Result::Loss);
    EXPECT_EQ(ratio.world.clock().pending(), 0U);
    ratio.playMatch(Result::Loss);
    EXPECT_EQ(ratio.world.clock().pending(), 2U);
    const auto lines = ratio.logLines();
    EXPECT_NE(indexOf(lines, "GameEnd: Trying to Exit by Ratio. Wins:1Losses:2"), lines.size());
}

TEST(QuitRules, MoreWinsThanLossesNeverMeetsTheRatioLimit) {
    CountingHost host(2, 0);
    host.playMatch(Result::Win);
    host.playMatch(Result::Win);
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.world.clock().pending(), 0U);
    host.playMatch(Result::Loss);  // losses equal wins: 0 meets a limit of 0
    EXPECT_EQ(host.world.clock().pending(), 2U);
}

TEST(QuitRules, ALimitOfZeroMeetsTheGamesAndLossRulesAtOnce) {
    for (const std::int32_t rule : {0, 1}) {
        CountingHost host(rule, 0);
        host.playMatch(Result::Win);
        EXPECT_EQ(host.world.clock().pending(), 2U) << "rule " << rule;
    }
}

TEST(QuitRules, AModeOutsideTheThreeCountsButNeverQuits) {
    CountingHost host(7, 0);
    host.sundown().logEnabled = true;
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 1);
    EXPECT_EQ(host.world.clock().pending(), 0U);
    const auto lines = host.logLines();
    EXPECT_NE(indexOf(lines, "GameEnd: selectedOption: 7"), lines.size());
    EXPECT_NE(indexOf(lines, "===== GameEnd: DONE====="), lines.size());
}

TEST(QuitRules, TheDestroyedHandlerAppliesTheRuleWithItsOwnLines) {
    CountingHost host(1, 1);
    host.sundown().logEnabled = true;
    host.startOnlineMatch();
    HostTestAccess::setWinner(host.world.game(), 1);
    host.destroyMatch();
    const auto lines = host.logLines();
    const std::size_t rule =
        indexOf(lines, "GameDestroyed: Trying to Exit by Loss count. Losses:1");
    ASSERT_LT(rule + 2, lines.size());
    EXPECT_EQ(lines[rule + 1], "GameDestroyed: After Execute");
    EXPECT_EQ(lines[rule + 2], "===== GameDestroyed: DONE=====");
    EXPECT_EQ(indexOf(lines, "GameDestroyed: selectedOption: 1"), lines.size());
}

TEST(DeferredQuit, APendingTimedQuitLeavesAtTheNextApprovedMatchEndEvenSwitchedOff) {
    PluginHost host;
    host.sundown().logEnabled = true;
    host.sundown().exitPending = true;

    host.world.game().startOffline();
    host.world.game().startRound();  // offline: nothing
    host.endMatch(Result::Loss);
    EXPECT_EQ(host.world.clock().pending(), 0U);

    host.startOnlineMatch();
    host.endMatch(Result::Loss);
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 0);
    const auto lines = host.logLines();
    EXPECT_NE(indexOf(lines, "GameEnd: Trying to execute Exit by TIME"), lines.size());
    host.wait(5);
    EXPECT_EQ(host.pluginCommandTimes(kDisconnect), std::vector<double>{1.0});
    EXPECT_EQ(host.pluginCommandTimes(kExit), std::vector<double>{4.0});
}

TEST(DeferredQuit, ARuleMetWhileATimedQuitWaitsLeavesTwice) {
    CountingHost host(0, 1);
    host.sundown().exitPending = true;
    host.startOnlineMatch();
    host.endMatch(Result::Win);
    EXPECT_EQ(host.world.clock().pending(), 4U);
    host.wait(2);
    EXPECT_EQ(host.pluginCommandTimes(kDisconnect), (std::vector<double>{1.0, 1.0}));
}
