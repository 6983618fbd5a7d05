// The session timer, started and stopped with the page's Start/Stop button: counting,
// blinking, and quitting at the minute limit.
#include <gtest/gtest.h>

#include "HostFixture.h"

namespace {

const std::string kExit = "unreal_command exit";

std::string elapsed(const Sundown& sundown) {
    return std::to_string(sundown.minutesElapsed) + ":" + std::to_string(sundown.secondsElapsed);
}

std::vector<std::string> blinkLines(const PluginHost& host) {
    std::vector<std::string> lines;
    for (const auto& line : host.logLines()) {
        if (line.find("runSeconds") != std::string::npos) {
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace

TEST(SessionTimer, CountsSecondsAndRollsOverTheMinute) {
    PluginHost host;
    Sundown& sundown = host.sundown();
    host.set("numOfMinutes", "5");
    host.pressStartStop();
    EXPECT_EQ(elapsed(sundown), "0:0");
    host.wait(1);
    EXPECT_EQ(elapsed(sundown), "0:1");
    host.wait(58);
    EXPECT_EQ(elapsed(sundown), "0:59");
    host.wait(1);
    EXPECT_EQ(elapsed(sundown), "1:0");
    host.wait(200);
    EXPECT_EQ(elapsed(sundown), "4:20");
}

TEST(SessionTimer, QuitsOfflineSixtyOneSecondsAfterStartAndHoldsTheDisplay) {
    PluginHost host;
    host.sundown().logEnabled = true;
    host.pressStartStop();
    host.wait(60);
    EXPECT_EQ(elapsed(host.sundown()), "1:0");
    EXPECT_TRUE(host.pluginCommands().empty());
    host.wait(1);
    EXPECT_EQ(host.pluginCommands(), std::vector<std::string>{kExit});
    EXPECT_EQ(host.pluginCommandTimes(kExit), std::vector<double>{61.0});
    EXPECT_EQ(elapsed(host.sundown()), "1:0");
    EXPECT_TRUE(host.sundown().timerRunning);
    // At once within the tick, with no disconnect first.
    const auto lines = host.logLines();
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines[lines.size() - 2], "delayedExit: Start");
    EXPECT_EQ(lines.back(), "delayedExit: Done");
    std::vector<std::string> around;
    for (const auto& event : host.world.events().events()) {
        if (event.by == "plugin" && (event.type == "log" || event.type == "command")) {
            around.push_back(event.first);
        }
    }
    ASSERT_GE(around.size(), 3U);
    EXPECT_EQ(std::vector<std::string>(around.end() - 3, around.end()),
              (std::vector<std::string>{"delayedExit: Start", kExit, "delayedExit: Done"}));
    EXPECT_EQ(host.world.clock().pending(), 0U) << "no tick is armed after the limit";
}

TEST(SessionTimer, ALimitReachedOnlineWaitsForTheEndOfTheMatch) {
    PluginHost host;
    host.startOnlineMatch();
    host.pressStartStop();
    host.wait(120);
    EXPECT_TRUE(host.sundown().exitPending);
    EXPECT_EQ(elapsed(host.sundown()), "1:0");
    EXPECT_TRUE(host.pluginCommands().empty());

    host.endMatch(Result::Win);  // the master switch is off: nothing counted, still left
    host.wait(5);
    EXPECT_EQ(host.pluginCommandTimes("unreal_command disconnect"), std::vector<double>{121.0});
    EXPECT_EQ(host.pluginCommandTimes(kExit), std::vector<double>{124.0});
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 0);
}

TEST(SessionTimer, StopResetsAtOnceAndTheNextStartBeginsAgain) {
    PluginHost host;
    host.set("numOfMinutes", "10");
    host.pressStartStop();
    host.wait(200);
    EXPECT_EQ(elapsed(host.sundown()), "3:20");
    host.pressStartStop();
    EXPECT_EQ(elapsed(host.sundown()), "0:0");
    host.wait(60);
    EXPECT_EQ(elapsed(host.sundown()), "0:0");
    host.pressStartStop();
    host.wait(3);
    EXPECT_EQ(elapsed(host.sundown()), "0:3");
}

TEST(SessionTimer, StopAndStartWithinOneSecondKeepsOneChainOfTicks) {
    PluginHost host;
    host.set("numOfMinutes", "10");
    host.pressStartStop();
    host.wait(10.5);
    host.pressStartStop();
    host.pressStartStop();
    host.wait(30);
    EXPECT_EQ(elapsed(host.sundown()), "0:30");
    EXPECT_EQ(host.world.clock().pending(), 1U);
}

TEST(SessionTimer, PressingStartStopAfterTheLimitStopsThenAFreshRunStarts) {
    PluginHost host;
    host.startOnlineMatch();  // online, the game stays up past the limit
    host.pressStartStop();
    host.wait(61);
    ASSERT_TRUE(host.sundown().exitPending);
    host.pressStartStop();
    EXPECT_FALSE(host.sundown().timerRunning);
    EXPECT_EQ(elapsed(host.sundown()), "0:0");
    host.typeOnPage("Quit after # minutes", "3");
    host.pressStartStop();
    host.wait(5);
    EXPECT_EQ(elapsed(host.sundown()), "0:5");
}

TEST(SessionTimer, ALimitOfZeroQuitsOnTheFirstTickBeforeItCounts) {
    PluginHost host;
    host.typeOnPage("Quit after # minutes", "0");
    EXPECT_EQ(host.sundown().maxMinutes, 0);
    EXPECT_EQ(host.var("numOfMinutes"), "1") << "a limit below 1 is not saved";
    host.pressStartStop();
    EXPECT_EQ(host.pluginCommands(), std::vector<std::string>{kExit});
    EXPECT_EQ(elapsed(host.sundown()), "0:-1");
}

TEST(SessionTimer, EachTickBlinksOnceAndTheLimitTickDoesNot) {
    PluginHost host;
    host.sundown().logEnabled = true;
    host.pressStartStop();
    // The first tick: blue, and the phase turns.
    EXPECT_NEAR(host.sundown().timerButtonColor.z, 0.600, 0.0005);
    host.wait(1);
    // Teal, hue 3/7: 0.240, 0.600, 0.446.
    EXPECT_NEAR(host.sundown().timerButtonColor.x, 0.240, 0.0005);
    EXPECT_NEAR(host.sundown().timerButtonColor.y, 0.600, 0.0005);
    EXPECT_NEAR(host.sundown().timerButtonColor.z, 0.446, 0.0005);
    host.wait(70);
    const auto lines = blinkLines(host);
    ASSERT_EQ(lines.size(), 61U);
    for (std::size_t tick = 0; tick < lines.size(); ++tick) {
        EXPECT_EQ(lines[tick], tick % 2 == 0 ? "===== runSeconds: color2====="
                                             : "===== runSeconds: color1=====");
    }
}
