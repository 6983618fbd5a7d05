// The losing streak, for the player who sets a limit on it: losses in a row end the session
// whatever the count rule, a win or a reset starts the streak again, and it is kept with the
// session across a restart.
#include <gtest/gtest.h>

#include "HostFixture.h"

namespace {

const std::string kInARow = "Sundown: one more loss in a row ends the session";
const std::string kDisconnect = "unreal_command disconnect";
const std::string kExit = "unreal_command exit";

// A player with the switch on and a count limit far away, who stops after `limit` losses in a
// row.
struct StreakHost : PluginHost {
    explicit StreakHost(const char* limit, const char* mode = "Game Count") {
        set("numOfGames", "50");
        set("enableByNumOption", mode);
        set("lossStreakLimit", limit);
        console("SundownEnableDisable");
    }
};

// Whether the game has quit once the leave, if one was scheduled, has run its course.
bool quitAfterAWhile(PluginHost& host) {
    host.wait(5);
    return host.world.game().quit();
}

}  // namespace

TEST(LossStreak, TheThirdLossInARowLeavesAsTheCountRuleDoes) {
    StreakHost host("3");
    host.playMatch(Result::Loss);
    host.playMatch(Result::Loss);
    EXPECT_FALSE(quitAfterAWhile(host));
    EXPECT_EQ(host.sundown().lossStreak.count(), 2);
    host.startOnlineMatch();
    host.endMatch(Result::Loss);
    const double decided = host.world.clock().seconds();
    host.destroyMatch();
    EXPECT_TRUE(quitAfterAWhile(host));
    EXPECT_EQ(host.pluginCommands(), (std::vector<std::string>{kDisconnect, kExit}));
    EXPECT_DOUBLE_EQ(host.pluginCommandTimes(kDisconnect).front(), decided + 1.0);
    EXPECT_DOUBLE_EQ(host.pluginCommandTimes(kExit).front(), decided + 4.0);
}

TEST(LossStreak, AWinStartsItAgainAndAMatchWithoutAWinnerLeavesIt) {
    StreakHost host("2", "Win-Lose Ratio");
    host.playMatch(Result::Loss);
    host.playMatch(Result::Win);
    EXPECT_EQ(host.sundown().lossStreak.count(), 0);
    host.playMatch(Result::Loss);
    host.startOnlineMatch();
    host.destroyMatch();  // walked out: counted as played, no winner
    EXPECT_EQ(host.sundown().lossStreak.count(), 1);
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 4);
    EXPECT_FALSE(quitAfterAWhile(host));
    host.playMatch(Result::Loss);
    EXPECT_TRUE(quitAfterAWhile(host));
}

TEST(LossStreak, OneLeaveWhenTheCountRuleIsMetByTheSameLoss) {
    PluginHost host;
    host.set("numOfGames", "2");
    host.set("enableByNumOption", "Lose Count");
    host.set("lossStreakLimit", "2");
    host.console("SundownEnableDisable");
    host.playMatch(Result::Loss);
    host.playMatch(Result::Loss);
    host.wait(5);
    EXPECT_EQ(host.pluginCommands(), (std::vector<std::string>{kDisconnect, kExit}));
}

TEST(LossStreak, ResetSetsItToZeroAndTheSwitchOffCountsNothing) {
    StreakHost host("3");
    host.playMatch(Result::Loss);
    host.playMatch(Result::Loss);
    host.clickOnPage("Reset Games Count");
    host.drawPage();
    EXPECT_NE(host.pageText().find("Losses in a row: 0"), std::string::npos);
    host.console("SundownEnableDisable");  // off
    host.playMatch(Result::Loss);
    host.playMatch(Result::Loss);
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.sundown().lossStreak.count(), 0);
    EXPECT_FALSE(quitAfterAWhile(host));
}

TEST(LossStreak, HeldAt255AndNeverWrapped) {
    StreakHost host("0");
    host.sundown().lossStreak.restore(254);
    host.playMatch(Result::Loss);
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.sundown().lossStreak.count(), 255);
    host.set("lossStreakLimit", "255");
    host.playMatch(Result::Loss);
    EXPECT_TRUE(quitAfterAWhile(host)) << "255 losses in a row still meet a limit of 255";
}

TEST(LossStreak, TheSavedLimitCountsFromTheFirstMatchAfterARestart) {
    PluginHost host;
    host.set("lossStreakLimit", "1");
    host.set("numOfGames", "50");
    host.restart();
    EXPECT_EQ(host.var("lossStreakLimit"), "1");
    host.console("SundownEnableDisable");  // no page drawn since the load
    host.playMatch(Result::Loss);
    EXPECT_TRUE(quitAfterAWhile(host));
}

TEST(LossStreak, ThePageShowsAndWritesTheLimitWithinAByte) {
    StreakHost host("0");
    host.drawPage();
    host.clickOnPage("Quit after # losses in a row", '-');
    EXPECT_EQ(host.var("lossStreakLimit"), "0");
    host.typeOnPage("Quit after # losses in a row", "300");
    EXPECT_EQ(host.var("lossStreakLimit"), "255");
    host.clickOnPage("Quit after # losses in a row", '+');
    EXPECT_EQ(host.var("lossStreakLimit"), "255");
    host.typeOnPage("Quit after # losses in a row", "3");
    host.playMatch(Result::Loss);
    host.drawPage();
    EXPECT_NE(host.pageText().find("{ 3 } [ - ] [ + ] Quit after # losses in a row\n"
                                   "Losses in a row: 1"),
              std::string::npos)
        << host.pageText();
}

TEST(LossStreak, HeadsUpBeforeTheLossThatWouldEndIt) {
    StreakHost host("2");
    host.set("enableHeadsUp", "1");
    host.wait(3);
    host.startOnlineMatch();
    host.canvasFrame();
    EXPECT_NE(host.statusText(), kInARow) << "no loss yet";
    host.endMatch(Result::Loss);
    host.destroyMatch();
    host.wait(6);
    host.startOnlineMatch();
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), kInARow);
    EXPECT_EQ(host.world.canvas().lastFrame().back().color.A, 255.0F);
    host.endMatch(Result::Win);
    host.destroyMatch();
    host.wait(6);
    host.startOnlineMatch();
    host.canvasFrame();
    EXPECT_NE(host.statusText(), kInARow) << "the win started the streak again";
}

TEST(LossStreak, TheCountRulesHeadsUpComesFirst) {
    PluginHost host;
    host.set("enableHeadsUp", "1");
    host.set("numOfGames", "2");
    host.set("enableByNumOption", "Lose Count");
    host.set("lossStreakLimit", "2");
    host.console("SundownEnableDisable");
    host.playMatch(Result::Loss);
    host.wait(6);
    host.startOnlineMatch();
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), "Sundown: one more loss ends the session");
}

TEST(LossStreak, KeptWithTheSessionAcrossARestart) {
    StreakHost host("3");
    host.set("keepSessionOnRestart", "1");
    host.playMatch(Result::Loss);  // seen on at this match: saved from here on
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.var("savedSession"), "1,0,2,0,2,2");
    host.restart();
    host.playMatch(Result::Loss);  // the first thing after the restart
    EXPECT_TRUE(quitAfterAWhile(host));
}

TEST(LossStreak, OffByDefaultNothingChanges) {
    PluginHost host;
    host.set("numOfGames", "50");
    host.console("SundownEnableDisable");
    for (int match = 0; match < 20; ++match) {
        host.playMatch(Result::Loss);
    }
    EXPECT_FALSE(quitAfterAWhile(host));
    EXPECT_EQ(host.sundown().lossStreak.count(), 20);
    EXPECT_EQ(host.var("lossStreakLimit"), "0");
}

TEST(LossStreak, KeptOnlyWhileALimitIsSetSoASessionWithoutOneIsSavedAsBefore) {
    StreakHost host("0");
    host.set("keepSessionOnRestart", "1");
    host.playMatch(Result::Loss);
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.var("savedSession"), "1,0,2,0,2");
    host.set("lossStreakLimit", "5");
    host.playMatch(Result::Loss);
    EXPECT_EQ(host.var("savedSession"), "1,0,3,0,3,3");
    host.restart();
    host.drawPage();
    EXPECT_EQ(host.sundown().lossStreak.count(), 3);
}

TEST(LossStreak, ALimitLoweredBelowTheStreakWarnsOfAndLeavesAtTheNextLoss) {
    PluginHost host;
    host.set("numOfGames", "50");
    host.set("enableHeadsUp", "1");
    host.console("SundownEnableDisable");
    for (int loss = 0; loss < 3; ++loss) {
        host.playMatch(Result::Loss);
    }
    host.set("lossStreakLimit", "2");  // below the three losses in a row already counted
    host.startOnlineMatch();
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), "Sundown: one more loss in a row ends the session");
    host.endMatch(Result::Loss);
    host.wait(5);
    EXPECT_TRUE(host.world.game().quit());
}
