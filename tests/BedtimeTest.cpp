// Bedtime, for the player who sets one: the next online match in the night is the last, and the
// session ends after it with one leave, whatever else that match meets.
#include <gtest/gtest.h>

#include "BedtimeShell.h"
#include "HostFixture.h"
#include "WallTime.h"

namespace {

// A player with a bedtime, at a chosen moment.
struct BedtimeHost : PluginHost {
    BedtimeHost(const char* bedtime, const char* date, const char* time) {
        set("bedtime", bedtime);
        clock(date, time);
    }
    void clock(const char* date, const char* time) {
        world.setWallClock(*parseWallTime(date, time));
    }
};

const std::vector<std::string> kOneLeave = {"unreal_command disconnect", "unreal_command exit"};

}  // namespace

TEST(Bedtime, OneLeaveWhenBedtimeTheDayAndACountRuleAreMetByTheSameMatch) {
    BedtimeHost host("23:00", "2026-12-08", "23:10");
    host.set("dailyMatches", "1");
    host.set("numOfGames", "1");
    host.console("SundownEnableDisable");
    host.playMatch(Result::Win);
    host.wait(5);
    EXPECT_EQ(host.pluginCommands(), kOneLeave);
}

TEST(Bedtime, ATimedQuitThatWaitsKeepsItsOwnLeaveAndBedtimeAddsNone) {
    BedtimeHost host("23:00", "2026-12-08", "22:59");
    host.set("numOfMinutes", "1");
    host.startOnlineMatch();
    host.pressStartStop();
    host.wait(62);  // the minute limit reached in the match, and the night begun
    EXPECT_TRUE(host.sundown().exitPending);
    EXPECT_TRUE(host.sundown().bedtime->matchNight().due());
    host.endMatch(Result::Loss);
    host.wait(5);
    EXPECT_EQ(host.pluginCommands(), kOneLeave);
}

TEST(Bedtime, TheNightBegunInAMatchIsSeenWithinASecondAndTheMatchPlaysOn) {
    BedtimeHost host("23:30", "2026-12-08", "23:29");
    host.set("enableHeadsUp", "1");
    host.startOnlineMatch();
    host.wait(59.5);
    EXPECT_FALSE(host.sundown().bedtime->matchNight().due());
    host.wait(1.0);
    EXPECT_TRUE(host.sundown().bedtime->matchNight().due());
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), "Sundown: bedtime, quitting after this match");
    host.wait(600);
    EXPECT_TRUE(host.pluginCommands().empty()) << "never during the match";
    host.endMatch(Result::Win);
    host.wait(5);
    EXPECT_EQ(host.pluginCommands(), kOneLeave);
}

TEST(Bedtime, ABedtimeSetDuringAMatchInTheNightEndsTheSessionAfterIt) {
    BedtimeHost host("", "2026-12-08", "23:40");
    host.startOnlineMatch();
    host.wait(30);
    host.set("bedtime", "23:30");
    host.endMatch(Result::Win);
    host.wait(5);
    EXPECT_TRUE(host.world.game().quit());
}

TEST(Bedtime, WalkingOutOfTheNightsMatchEndsTheSessionToo) {
    BedtimeHost host("1:00", "2026-12-09", "02:00");
    host.startOnlineMatch();
    host.wait(20);
    host.destroyMatch();  // walked out, back in the menus
    host.wait(5);
    EXPECT_TRUE(host.world.game().quit());
}

TEST(Bedtime, NoneAtTheStartHourOrForATimeThatIsNotOne) {
    for (const char* none : {"4:00", "04:00", "24:00", "11pm", "23:5", ""}) {
        BedtimeHost host(none, "2026-12-09", "03:00");
        host.playMatch(Result::Win);
        host.wait(5);
        EXPECT_FALSE(host.world.game().quit()) << "'" << none << "'";
        host.drawPage();
        EXPECT_NE(host.pageText().find("Bedtime: none"), std::string::npos) << none;
    }
}

TEST(Bedtime, ThePageShowsAndWritesItAndTheNightAsItStands) {
    PluginHost host;
    host.typeOnPage("Bedtime (HH:MM)", "22:45");
    EXPECT_EQ(host.var("bedtime"), "22:45");
    host.set("dayStartsAt", "6");
    host.drawPage();
    EXPECT_NE(host.pageText().find("{ 22:45 } Bedtime (HH:MM)\nBedtime: 22:45 to 06:00"),
              std::string::npos)
        << host.pageText();
}

TEST(Bedtime, DueWithTheDaysBudgetAtOneKickOffBedtimeSpeaksAndOneLeaveFollows) {
    BedtimeHost host("23:00", "2026-12-08", "23:10");
    host.set("enableHeadsUp", "1");
    host.set("dailyMatches", "1");
    host.startOnlineMatch();
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), "Sundown: past bedtime, last game");
    host.endMatch(Result::Win);
    host.wait(5);
    EXPECT_EQ(host.pluginCommands(), kOneLeave);
    EXPECT_TRUE(host.world.game().quit());
}

TEST(Bedtime, ALongSavedBedtimeIsShownWholeAndEnterWritesItBackWhole) {
    PluginHost host;
    const std::string saved = std::string(12, ' ') + "23:30" + std::string(4, ' ');
    host.restartWithSaved("bedtime", saved);
    host.drawPage();
    host.enterOnPage("Bedtime (HH:MM)");
    EXPECT_EQ(host.var("bedtime"), saved);
    host.drawPage();
    EXPECT_NE(host.pageText().find("Bedtime: 23:30 to 04:00"), std::string::npos)
        << host.pageText();
}

TEST(Bedtime, AClockTheCalendarCannotNameIsNoNight) {
    BedtimeHost host("22:00", "9999-06-01", "23:00");
    host.playMatch(Result::Win);
    host.wait(5);
    EXPECT_TRUE(host.pluginCommands().empty()) << "year 9999 is no date: no night";
}
