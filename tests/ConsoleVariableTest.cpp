// The host console's variables keep numbers within their limits and any other text as it is.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "CVarWrapper.h"
#include "HostWorld.h"

namespace {

struct HostConsole : ::testing::Test {
    HostWorld world;
    ConsoleVariable* games = nullptr;
    ObjectHandle handle;

    void SetUp() override {
        handle =
            world.console().registerVariable({"numOfGames", "1", "How many games before quitting",
                                              true, true, 1.0F, false, 50.0F, true});
        games = static_cast<ConsoleVariable*>(handle.get());
    }
};

}  // namespace

TEST_F(HostConsole, NumbersKeepToTheLimitsInForce) {
    EXPECT_EQ(games->store("300"), "300") << "no maximum is in force";
    EXPECT_EQ(games->store("-4"), "1");
    EXPECT_EQ(games->store("7.5"), "7.5");
    EXPECT_EQ(games->intValue(), 7);
    EXPECT_EQ(games->store("1e40"), "1e+40");
    EXPECT_EQ(games->intValue(), std::numeric_limits<int>::max());
}

TEST_F(HostConsole, OtherTextIsKeptAndReadsAsZero) {
    for (const char* text : {"", "nan", "Lose Count", "12 games", "0x"}) {
        EXPECT_EQ(games->store(text), text);
        EXPECT_EQ(games->intValue(), 0) << text;
        EXPECT_FALSE(games->boolValue()) << text;
    }
    const std::string huge(10'000, '9');
    games->store(huge);
    EXPECT_EQ(games->intValue(), std::numeric_limits<int>::max());
}

TEST_F(HostConsole, RegisteringAgainKeepsTheValueAndUnknownNamesAreHarmless) {
    world.console().set("numOfGames", "9", "script");
    world.console().registerVariable({"numOfGames", "1", "", true, false, 0, false, 0, false});
    EXPECT_EQ(world.console().variable("numOfGames")->text(), "9");

    const CVarWrapper unknown(world.console().find("numOfLives"));
    EXPECT_FALSE(unknown);
    CVarWrapper copy = unknown;
    copy.setValue(3);
    EXPECT_EQ(copy.getIntValue(), 0);
    EXPECT_EQ(copy.getStringValue(), "");
}

TEST_F(HostConsole, CommandLinesReachNotifiersBindsAndTheGame) {
    std::vector<std::string> heard;
    world.console().registerNotifier(
        "hello", {[&](std::vector<std::string> words) { heard = words; }, "says hello", 0, 0});
    world.console().run("hello \"big world\" 2", "script");
    EXPECT_EQ(heard, (std::vector<std::string>{"hello", "big world", "2"}));
    world.console().run("bind F6 hello", "script");
    EXPECT_TRUE(world.console().press("F6"));
    EXPECT_EQ(heard, std::vector<std::string>{"hello"});
    EXPECT_FALSE(world.console().press("F7"));

    world.game().joinOnline();
    world.console().run("unreal_command disconnect", "plugin");
    world.game().carryOutQueued();  // the game's next tick: a plug-in's command happens then
    EXPECT_FALSE(world.game().online());
    world.console().run("unreal_command exit", "plugin");
    world.game().carryOutQueued();
    EXPECT_TRUE(world.game().quit());
}

TEST(VirtualClock, TimeoutsFireInDueOrderAndTiesInArmedOrder) {
    VirtualClock clock;
    std::string fired;
    clock.arm([&] { fired += "b"; }, 2.0F);
    clock.arm([&] { fired += "a"; }, 1.0F);
    clock.arm([&] { fired += "c"; }, 2.0F);
    clock.arm(
        [&] {
            fired += "d";
            // Armed while firing: it waits for its own time.
            clock.arm([&] { fired += "e"; }, 0.5F);
        },
        1.0F);
    clock.runUntil(1'400'000);
    EXPECT_EQ(fired, "ad");
    clock.runUntil(10'000'000);
    EXPECT_EQ(fired, "adebc");
    EXPECT_EQ(clock.now(), 10'000'000);
}
