// The host may keep what the plug-in handed it after the object is gone; nothing may run then.
#include <gtest/gtest.h>

#include "HostFixture.h"

TEST(Liveness, NothingRunsOnAReleasedObject) {
    PluginHost host;
    Sundown& sundown = host.sundown();
    sundown.enabled = true;
    sundown.maxNumberOfGames = 1;
    host.set("numOfMinutes", "5");
    host.playMatch(Result::Loss);          // arms the leave pair
    host.pressStartStop();                 // arms a tick
    host.console("SundownEnableDisable");  // arms hideOverlay
    host.clickOnPage("Set Bind");
    host.settings().click("Reset Games Count");
    while (host.settings().busy()) {
        host.settings().frame(*host.loaded->settings(), 1.0F / 60.0F);
    }
    ASSERT_EQ(host.world.clock().pending(), 4U);
    ASSERT_EQ(host.world.pendingExecutes(), 1U);

    host.loaded->releaseEntry();
    host.loaded->dropHostCopy();
    const std::size_t recorded = host.world.events().size();

    host.world.runExecutes();
    host.wait(10);
    host.startOnlineMatch();
    host.endMatch(Result::Loss);
    host.destroyMatch();
    host.console("SundownEnableDisable");
    host.console("resetGamesCount");
    host.canvasFrame();

    EXPECT_TRUE(host.world.canvas().lastFrame().empty());
    EXPECT_FALSE(host.world.game().quit());
    for (std::size_t index = recorded; index < host.world.events().size(); ++index) {
        const RecordedEvent& event = host.world.events().events()[index];
        EXPECT_NE(event.by, "plugin") << event.type << " " << event.first;
        EXPECT_NE(event.type, "var") << event.first;
    }
}

namespace {

// The rest of the story: the old object goes, a new one from the same library works beside
// what it left.
void aNewObjectWorksBesideWhatTheOldOneLeft(PluginHost& host) {
    // The host lets the object go but keeps the library, and everything it was handed.
    host.loaded->release();
    const std::size_t hooks = host.world.hooks().hookedNames().size();
    const std::size_t released = host.world.events().size();
    host.destroyMatch();
    host.startOnlineMatch();
    host.world.game().startRound();
    host.console("SundownEnableDisable");
    host.console("resetGamesCount");
    host.wait(60);
    host.destroyMatch();
    EXPECT_EQ(host.world.hooks().hookedNames().size(), hooks);
    for (std::size_t index = released; index < host.world.events().size(); ++index) {
        const RecordedEvent& event = host.world.events().events()[index];
        EXPECT_NE(event.by, "plugin") << event.type << " " << event.first;
    }
    EXPECT_FALSE(host.world.game().quit());

    host.loaded->create();
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 0);
    host.settings().adopt(*host.loaded->settings());
    host.drawPage();
    EXPECT_NE(host.pageText().find("Current Status: Enabled"), std::string::npos)
        << "the new object reads the saved switch";
    host.playMatch(Result::Loss);
    host.wait(5);
    EXPECT_EQ(host.pluginCommands(),
              (std::vector<std::string>{"unreal_command disconnect", "unreal_command exit"}));
    EXPECT_TRUE(host.world.game().quit());
}

}  // namespace

TEST(Liveness, ANewObjectFromTheSameLibraryWorksBesideWhatTheOldOneLeft) {
    PluginHost host;
    host.set("numOfGames", "1");
    host.set("numOfMinutes", "30");
    host.set("enableHeadsUp", "1");
    host.console("SundownEnableDisable");  // arms hideOverlay
    host.pressStartStop();                 // arms a tick
    host.startOnlineMatch();               // a heads-up: the last game
    host.endMatch(Result::Loss);           // the leave pair, and its heads-up
    ASSERT_EQ(host.world.clock().pending(), 6U);
    aNewObjectWorksBesideWhatTheOldOneLeft(host);
}

TEST(Liveness, WithoutHeadsUpsANewObjectWorksBesideWhatTheOldOneLeftToo) {
    PluginHost host;
    host.set("numOfGames", "1");
    host.set("numOfMinutes", "30");
    host.console("SundownEnableDisable");  // arms hideOverlay
    host.pressStartStop();                 // arms a tick
    host.startOnlineMatch();
    host.endMatch(Result::Loss);  // arms the leave pair
    ASSERT_EQ(host.world.clock().pending(), 4U);
    aNewObjectWorksBesideWhatTheOldOneLeft(host);
}
