// The plug-in in the game's whole match lifecycle: every road out of a match destroys its game
// event once, and the plug-in counts and leaves as it would in the game.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "HostFixture.h"

namespace {

const std::string kDisconnect = "unreal_command disconnect";
const std::string kExit = "unreal_command exit";

// The game functions that ran, in order, from the record.
std::vector<std::string> hooksRun(const PluginHost& host, std::size_t from = 0) {
    std::vector<std::string> names;
    for (const auto& event : host.world.events().ofType("hook", from)) {
        names.push_back(event.first);
    }
    return names;
}

const std::vector<std::string> kBothDestroyed = {gameFunction::kSoccarDestroyed,
                                                 gameFunction::kEventDestroyed};

}  // namespace

TEST(GameWorld, WalkingOutOfAnApprovedMatchCountsItAsPlayed) {
    PluginHost host;
    host.set("numOfGames", "5");
    host.console("SundownEnableDisable");
    host.startOnlineMatch();
    host.wait(30);
    const std::size_t from = host.world.events().size();
    host.world.game().leaveMatch(Leaving::WalkOut);
    EXPECT_EQ(hooksRun(host, from), kBothDestroyed);
    EXPECT_FALSE(host.world.game().inMatch());
    host.drawPage();
    EXPECT_NE(host.pageText().find("Current Games played:1 Wins:0 Losses:0"), std::string::npos);
}

TEST(GameWorld, AnOfflineMatchStartedFromAnOnlineOneIsNeverOnline) {
    PluginHost host;
    host.set("numOfGames", "1");
    host.console("SundownEnableDisable");
    host.world.game().joinOnline();  // in the online match's lobby: no round yet
    host.world.game().startOffline();
    EXPECT_FALSE(host.world.game().online());
    host.world.game().startRound();
    host.endMatch(Result::Loss);
    host.destroyMatch();
    host.wait(5);
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 0);
    EXPECT_TRUE(host.pluginCommands().empty());
}

TEST(GameWorld, JoiningAnotherOnlineMatchDestroysTheFirstOnce) {
    PluginHost host;
    host.set("numOfGames", "9");
    host.console("SundownEnableDisable");
    host.startOnlineMatch();
    const std::size_t from = host.world.events().size();
    host.startOnlineMatch();
    EXPECT_EQ(hooksRun(host, from),
              (std::vector<std::string>{gameFunction::kSoccarDestroyed,
                                        gameFunction::kEventDestroyed, gameFunction::kRoundStart}));
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 1) << "the first match, left, counts as played";
    EXPECT_TRUE(host.sundown().gameApproved) << "the second match is approved at its kick-off";
}

TEST(GameWorld, ADisconnectDestroysTheGameEventOnceAndOnlyInAMatch) {
    PluginHost host;
    host.startOnlineMatch();
    host.endMatch(Result::Win);
    const std::size_t from = host.world.events().size();
    host.console(kDisconnect);
    host.console(kDisconnect);
    EXPECT_EQ(hooksRun(host, from), kBothDestroyed);
    EXPECT_FALSE(host.world.game().inMatch());
    EXPECT_FALSE(host.world.game().endMatch(0)) << "no match to end in the menus";
    EXPECT_FALSE(host.world.game().startRound()) << "no round starts in the menus";
}

TEST(GameWorld, ATimedQuitThatWaitsIsCarriedOutWhenThePlayerWalksOut) {
    PluginHost host;
    host.sundown().logEnabled = true;
    host.startOnlineMatch();
    host.pressStartStop();
    host.wait(61);
    ASSERT_TRUE(host.sundown().exitPending);
    EXPECT_TRUE(host.pluginCommands().empty());

    host.console("SundownEnableDisable");
    host.world.game().leaveMatch(Leaving::WalkOut);
    const auto lines = host.logLines();
    EXPECT_NE(
        std::find(lines.begin(), lines.end(), "GameDestroyed: Trying to execute Exit by TIME"),
        lines.end());
    host.wait(5);
    EXPECT_EQ(host.pluginCommandTimes(kDisconnect), std::vector<double>{62.0});
    EXPECT_EQ(host.pluginCommandTimes(kExit), std::vector<double>{65.0});
}

TEST(GameWorld, TimeStandsStillFromTheMomentTheGameQuits) {
    PluginHost host;
    host.set("numOfGames", "1");
    host.console("SundownEnableDisable");
    host.wait(0.005);  // the match ends between two frames
    host.playMatch(Result::Loss);
    host.wait(60);
    ASSERT_TRUE(host.world.game().quit());
    EXPECT_EQ(host.world.clock().now(), 4'005'000);
    const std::size_t frames = host.world.canvas().frames();
    host.wait(1);
    EXPECT_EQ(host.world.canvas().frames(), frames);
}

TEST(GameWorld, EveryFrameSeesTheTimeoutsDueBeforeItAndNoneAfter) {
    PluginHost host;
    host.wait(0.01);
    host.console("SundownEnableDisable");  // between two frames: hidden again at 2.01 s
    std::vector<std::pair<std::int64_t, float>> frames;
    host.world.advanceTo(3'000'000, 60, {}, [&] {
        frames.emplace_back(host.world.clock().now(), host.statusAlpha());
    });
    ASSERT_FALSE(frames.empty());
    for (const auto& [time, alpha] : frames) {
        EXPECT_EQ(alpha, time < 2'010'000 ? 255.0F : 0.0F) << "frame at " << time << " us";
    }
}

TEST(ConsoleValues, KeepsWhatThePluginPassesAlong) {
    PluginHost host;
    const NotifierRegistration* toggle = host.world.console().notifier("SundownEnableDisable");
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->description, "");
    EXPECT_EQ(toggle->accessLevel, 0);

    host.set("numOfGames", "1");
    host.console("SundownEnableDisable");
    host.playMatch(Result::Loss);
    host.clickOnPage("Reset Games Count");
    host.wait(5);
    std::size_t commands = 0;
    for (const auto& event : host.world.events().ofType("command")) {
        if (event.by == "plugin") {
            ++commands;
            EXPECT_EQ(event.second, "log") << event.first << " was not asked to be logged";
        }
    }
    EXPECT_EQ(commands, 3U);
}

TEST(ConsoleValues, AGameLimitOutsideTheLimitsIsHeldWithinAByte) {
    PluginHost host;
    const std::pair<const char*, int> saved[] = {{"-1", 0}, {"0", 0}, {"256", 255}, {"300", 255}};
    for (const auto& [value, limit] : saved) {
        host.world.console().loadSaved("numOfGames", value);
        host.drawPage();
        EXPECT_EQ(host.sundown().maxNumberOfGames, limit) << "the page, from " << value;
        host.world.console().loadSaved("numOfGames", value);
        host.sundown().maxNumberOfGames = 7;
        host.console("SundownEnableDisable");
        EXPECT_EQ(host.sundown().maxNumberOfGames, limit) << "the toggle, from " << value;
        host.canvasFrame();
        EXPECT_EQ(host.statusText().substr(host.statusText().rfind(' ') + 1),
                  host.sundown().enabled ? std::to_string(limit) : "Disabled");
    }
}

TEST(ConsoleValues, TheMinusButtonAtZeroWritesZeroWhichTheConsoleHoldsToItsMinimum) {
    PluginHost host;
    host.world.console().loadSaved("numOfGames", "0");
    host.drawPage();
    EXPECT_NE(host.pageText().find("{ 0 } [ - ] [ + ]"), std::string::npos);
    host.clickOnPage("Quit after # games", '-');
    const auto writes = host.world.events().ofType("var");
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.back().by, "plugin");
    EXPECT_EQ(writes.back().detail, "0") << "the page wrote 0";
    EXPECT_EQ(host.var("numOfGames"), "1");
}

TEST(GameWorld, ADisconnectHandedOverInATimeoutHappensOnceThatTimeoutHasReturned) {
    PluginHost host;
    host.sundown().logEnabled = true;  // its lines show where the timeout ends
    host.set("numOfGames", "1");
    host.console("SundownEnableDisable");
    host.startOnlineMatch();
    host.endMatch(Result::Win);
    const std::size_t from = host.world.events().size();
    host.wait(1.5);
    std::vector<std::string> order;
    for (std::size_t index = from; index < host.world.events().size(); ++index) {
        const RecordedEvent& event = host.world.events().events()[index];
        if (event.type != "overlay") {
            order.push_back(event.type + " " + event.first);
        }
    }
    const std::vector<std::string> expected = {
        "log delayedDisconnect: Start",
        "command " + kDisconnect,
        "log delayedDisconnect: Done",  // the timeout has returned
        "disconnect match",
        "game destroyed",
        "hook " + gameFunction::kSoccarDestroyed,
        "log ===== GameDestroyed: Start=====",
        "hook " + gameFunction::kEventDestroyed,
        "log ===== GameDestroyed: Start=====",
        "game menus",
    };
    EXPECT_EQ(order, expected);
}

TEST(GameWorld, APluginsConsoleLineForTheGameWaitsForItsCallbackToReturn) {
    PluginHost host;
    host.startOnlineMatch();
    CVarManagerWrapper console(host.world, 0);
    bool stillInAfterTheCall = false;
    host.world.console().registerNotifier("leaveNow",
                                          {[&](std::vector<std::string>) {
                                               console.executeCommand(kDisconnect, true);
                                               console.executeCommand(kExit, true);
                                               stillInAfterTheCall = host.world.game().inMatch();
                                           },
                                           "", 0, 0});
    host.console("leaveNow");
    EXPECT_TRUE(stillInAfterTheCall) << "the game acts once the notifier has returned";
    EXPECT_FALSE(host.world.game().inMatch());
    EXPECT_TRUE(host.world.game().quit());
}

TEST(GameWorld, ATimeoutWithADelayTheGameCannotKeepIsAFaultOfThePlugins) {
    PluginHost host;
    GameWrapper game(host.world, 0);
    int fired = 0;
    for (const float delay : {-1.0F, std::nanf(""), std::numeric_limits<float>::infinity()}) {
        game.SetTimeout([&](GameWrapper*) { ++fired; }, delay);
    }
    game.SetTimeout([&](GameWrapper*) { ++fired; }, 0.0F);
    host.wait(10);
    EXPECT_EQ(fired, 1) << "only the timeout with a delay of 0 fires";
    const auto faults = host.world.events().ofType("fault");
    ASSERT_EQ(faults.size(), 3U);
    EXPECT_EQ(faults[0].first, "a timeout with a delay of -1.000000 s");
    EXPECT_EQ(faults[0].by, "plugin");
}
