// Heads-ups before quitting, for the player who asks for them: shown in the status line's place,
// fully opaque, for five seconds, exactly when the session is about to end.
#include <random>

#include <gtest/gtest.h>

#include "HostFixture.h"

namespace {

const std::string kLastGame = "Sundown: last game";
const std::string kOneMoreLoss = "Sundown: one more loss ends the session";
const std::string kFiveMinutes = "Sundown: 5 minutes left";
const std::string kOneMinute = "Sundown: 1 minute left";
const std::string kTimeIsUp = "Sundown: time is up, quitting after this match";
const std::string kQuitting = "Sundown: limit reached, quitting";

// A host whose player asked for heads-ups, with the switch on, a rule and a limit.
struct HeadsUpHost : PluginHost {
    HeadsUpHost(const char* mode, const char* limit) {
        set("enableHeadsUp", "1");
        set("enableByNumOption", mode);
        set("numOfGames", limit);
        console("SundownEnableDisable");
        wait(3);  // the switch's own line has gone
    }
    bool showing(const std::string& text) {
        canvasFrame();
        return statusText() == text && statusAlpha() == 255.0F;
    }
};

}  // namespace

TEST(HeadsUp, LastGameShowsAtTheKickOffThatApprovesTheMatchForFiveSeconds) {
    HeadsUpHost host("Game Count", "2");
    host.startOnlineMatch();
    EXPECT_FALSE(host.showing(kLastGame)) << "the first of two games";
    host.endMatch(Result::Win);
    host.destroyMatch();

    host.startOnlineMatch();
    ASSERT_TRUE(host.showing(kLastGame));
    const CanvasText& drawn = host.world.canvas().lastFrame().back();
    EXPECT_EQ(drawn.xScale, 4.0F);
    EXPECT_EQ(drawn.yScale, 4.0F);
    host.wait(4.99);
    EXPECT_TRUE(host.showing(kLastGame));
    host.wait(0.02);
    EXPECT_EQ(host.statusText(), "Sundown Enabled By: Game count 2");
    EXPECT_EQ(host.statusAlpha(), 0.0F);

    host.world.game().startRound();  // a goal: the same match, no second heads-up
    EXPECT_FALSE(host.showing(kLastGame));
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 1) << "showing it changed no count";
}

TEST(HeadsUp, OneMoreLossShowsForTheLossAndRatioRules) {
    {
        HeadsUpHost host("Lose Count", "2");
        host.playMatch(Result::Loss);
        host.startOnlineMatch();
        EXPECT_TRUE(host.showing(kOneMoreLoss));
    }
    {
        HeadsUpHost host("Win-Lose Ratio", "1");
        host.startOnlineMatch();
        EXPECT_TRUE(host.showing(kOneMoreLoss)) << "no wins yet: one loss is 1";
        host.endMatch(Result::Win);
        host.destroyMatch();
        host.playMatch(Result::Win);
        host.playMatch(Result::Loss);
        host.wait(6);
        host.startOnlineMatch();
        EXPECT_FALSE(host.showing(kOneMoreLoss)) << "two losses against two wins is 0, not 1";
        host.endMatch(Result::Loss);
        host.destroyMatch();
        host.startOnlineMatch();
        EXPECT_TRUE(host.showing(kOneMoreLoss));
    }
}

TEST(HeadsUp, IsShownExactlyWhenTheRuleWillBeMetAtTheMatchsEnd) {
    std::mt19937 random(20261208);
    // Counts and limits near zero and near where the 8-bit counts wrap.
    const auto edgy = [&] {
        return static_cast<std::uint8_t>(random() % 2 ? random() % 4 : 252 + random() % 4);
    };
    HeadsUpHost host("Game Count", "1");
    Sundown& sundown = host.sundown();
    for (int round = 0; round < 500; ++round) {
        sundown.numberOfGamesPlayed = edgy();
        sundown.numberOfWins = edgy();
        sundown.numberOfLosses = edgy();
        sundown.maxNumberOfGames = edgy();
        sundown.selectedOption = static_cast<std::int32_t>(random() % 3);
        const auto before = std::to_string(sundown.numberOfGamesPlayed) + " played, " +
                            std::to_string(sundown.numberOfWins) + " won, " +
                            std::to_string(sundown.numberOfLosses) + " lost";

        host.startOnlineMatch();
        host.canvasFrame();
        const bool warned = host.statusAlpha() == 255.0F;
        const std::size_t armed = host.world.clock().pending();
        host.endMatch(Result::Loss);  // the loss the loss rules' heads-up speaks of
        const bool leaves = host.world.clock().pending() > armed;
        EXPECT_EQ(warned, leaves) << "rule " << sundown.selectedOption << ", limit "
                                  << int{sundown.maxNumberOfGames} << ", " << before;

        host.world.clock().dropTimeouts();
        sundown.headsUp.clear();
        host.destroyMatch();
    }
}

TEST(HeadsUp, TheTimerWarnsFiveMinutesAndOneMinuteBeforeItsLimit) {
    PluginHost host;
    host.set("enableHeadsUp", "1");
    host.set("numOfMinutes", "7");
    host.pressStartStop();
    host.wait(119.9);
    EXPECT_NE(host.statusText(), kFiveMinutes);
    host.wait(0.2);
    EXPECT_EQ(host.statusText(), kFiveMinutes) << "at 2:00 of a 7-minute limit";
    host.wait(5);
    EXPECT_NE(host.statusText(), kFiveMinutes);
    host.wait(235);
    EXPECT_EQ(host.statusText(), kOneMinute) << "at 6:00";
    EXPECT_EQ(host.statusAlpha(), 255.0F);
}

TEST(HeadsUp, ShortLimitsWarnOnlyOfWhatIsLeftOfThem) {
    for (const auto& [limit, expected] :
         std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"5", {kOneMinute}}, {"2", {kOneMinute}}, {"1", {}}}) {
        PluginHost host;
        host.set("enableHeadsUp", "1");
        host.set("numOfMinutes", limit);
        host.startOnlineMatch();  // the game stays up past the limit
        host.pressStartStop();
        std::vector<std::string> seen;
        for (int second = 0; second < 60 * std::stoi(limit); ++second) {
            host.wait(1);
            if (host.statusAlpha() == 255.0F &&
                (seen.empty() || seen.back() != host.statusText())) {
                seen.push_back(host.statusText());
            }
        }
        EXPECT_EQ(seen, expected) << "a limit of " << limit;
    }
}

TEST(HeadsUp, TimeIsUpInAMatchAndTheLeaveIsAnnounced) {
    PluginHost host;
    host.set("enableHeadsUp", "1");
    host.startOnlineMatch();
    host.pressStartStop();
    host.wait(61);
    EXPECT_EQ(host.statusText(), kTimeIsUp);
    host.wait(30);
    host.endMatch(Result::Win);
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), kQuitting);
    host.wait(1);
    EXPECT_EQ(host.statusText(), kQuitting) << "shown while the game disconnects";
}

TEST(HeadsUp, ANewerHeadsUpGetsItsOwnFiveSeconds) {
    HeadsUpHost host("Game Count", "1");
    host.startOnlineMatch();
    ASSERT_TRUE(host.showing(kLastGame));
    host.wait(3);
    host.endMatch(Result::Win);
    ASSERT_TRUE(host.showing(kQuitting));
    host.wait(0.5);
    host.world.game().leaveMatch();  // back to the menus before the plug-in's disconnect
    host.wait(2);
    EXPECT_TRUE(host.showing(kQuitting)) << "the first one's end does not cut it short";
    host.wait(2.49);
    EXPECT_TRUE(host.showing(kQuitting));
    EXPECT_TRUE(host.world.game().quit()) << "the game quit four seconds after the match";
}

TEST(HeadsUp, AToggleEndsItAndShowsTheSwitchsLineAsAlways) {
    HeadsUpHost host("Game Count", "1");
    host.startOnlineMatch();
    ASSERT_TRUE(host.showing(kLastGame));
    host.wait(1);
    host.console("SundownEnableDisable");
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), "Sundown Disabled");
    EXPECT_EQ(host.statusAlpha(), 255.0F);
    host.wait(1);
    host.console("SundownEnableDisable");
    host.wait(0.99);
    EXPECT_EQ(host.statusText(), "Sundown Enabled By: Game count 1");
    EXPECT_EQ(host.statusAlpha(), 255.0F);
    host.wait(0.02);
    EXPECT_EQ(host.statusAlpha(), 0.0F) << "two seconds after the first toggle";
    host.wait(5);
    EXPECT_EQ(host.statusText(), "Sundown Enabled By: Game count 1");
    EXPECT_EQ(host.statusAlpha(), 0.0F);
}

TEST(HeadsUp, TheSavedChoiceCountsBeforeThePageIsDrawnAndThePageShowsIt) {
    PluginHost host;
    host.world.console().loadSaved("enableHeadsUp", "1");
    host.set("numOfGames", "1");
    host.console("SundownEnableDisable");
    host.wait(3);
    host.startOnlineMatch();
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), kLastGame);

    host.drawPage();
    EXPECT_NE(host.pageText().find("[x] Heads-up before quitting"), std::string::npos);
    host.clickOnPage("Heads-up before quitting");
    EXPECT_EQ(host.var("enableHeadsUp"), "0");
    EXPECT_NE(host.pageText().find("[ ] Heads-up before quitting"), std::string::npos);
}

TEST(HeadsUp, OffByDefaultNothingIsShownOrArmed) {
    PluginHost host;
    host.set("numOfGames", "2");
    host.set("numOfMinutes", "6");
    host.console("SundownEnableDisable");
    host.pressStartStop();
    host.wait(3);
    host.playMatch(Result::Loss);
    host.startOnlineMatch();
    EXPECT_EQ(host.world.clock().pending(), 1U) << "only the timer's tick";
    host.wait(60);
    host.canvasFrame();
    EXPECT_EQ(host.statusAlpha(), 0.0F);
    EXPECT_EQ(host.sundown().headsUp.shown(), 0U);
}

TEST(HeadsUp, IsDrawnInAmberWhereTheStatusLineIsGreen) {
    HeadsUpHost host("Game Count", "1");
    host.startOnlineMatch();
    ASSERT_TRUE(host.showing(kLastGame));
    const LinearColor amber = host.world.canvas().lastFrame().back().color;
    EXPECT_EQ(amber.R, 255.0F);
    EXPECT_EQ(amber.G, 170.0F);
    EXPECT_EQ(amber.B, 0.0F);
    EXPECT_EQ(amber.A, 255.0F);
    host.console("SundownEnableDisable");
    host.canvasFrame();
    const LinearColor green = host.world.canvas().lastFrame().back().color;
    EXPECT_EQ(green.R, 3.0F);
    EXPECT_EQ(green.G, 150.0F);
    EXPECT_EQ(green.B, 58.0F);
}
