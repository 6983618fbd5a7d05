// A lock on the player's own limits until the day ends, with the plug-in loaded: every loosening,
// by every route and at every moment, put back and said; every tightening kept; the lock across
// restarts and at the day's end.
#include <gtest/gtest.h>

#include <algorithm>

#include "HostFixture.h"
#include "Sundown.h"
#include "WallTime.h"

namespace {

const char* const kLockButton = "Lock my limits until 04:00";
const char* const kLockedLine = "Sundown: locked until 04:00";

// A player who set three games and a bedtime at 23:30, switched the count rules on, and locked,
// on a Wednesday evening.
struct LockedHost : PluginHost {
    LockedHost() {
        clock("2026-12-09", "20:00");
        set("numOfGames", "3");
        set("bedtime", "23:30");
        console("SundownEnableDisable");
        wait(3);
        clickOnPage(kLockButton);
    }
    void clock(const char* date, const char* time) {
        world.setWallClock(*parseWallTime(date, time));
    }
    std::size_t logged(const std::string& line) const {
        const std::vector<std::string> lines = logLines();
        return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
    }
    static std::string keptLine(const std::string& name, const std::string& value) {
        return std::string(kLockedLine) + ", " + name + " kept at " + value;
    }
};

const std::vector<std::string> kOneLeave = {"unreal_command disconnect", "unreal_command exit"};

}  // namespace

TEST(Lock, ALoosenedLimitAtTheConsoleIsPutBackWithinASecondAndSaidWhateverTheLogSwitchSays) {
    LockedHost host;
    ASSERT_FALSE(host.sundown().logEnabled);
    EXPECT_NE(host.pageText().find("Locked until 04:00: limits can be tightened, not loosened"),
              std::string::npos);
    host.set("numOfGames", "10");
    host.set("bedtime", "");
    host.wait(1);
    EXPECT_EQ(host.var("numOfGames"), "3");
    EXPECT_EQ(host.var("bedtime"), "23:30");
    EXPECT_EQ(host.logged(LockedHost::keptLine("numOfGames", "3")), 1U);
    EXPECT_EQ(host.logged(LockedHost::keptLine("bedtime", "23:30")), 1U);
    EXPECT_EQ(host.statusText(), kLockedLine);
    host.wait(2.1);
    EXPECT_NE(host.statusText(), kLockedLine) << "shown for two seconds";
}

TEST(Lock, ATighteningIsKeptAndCannotBeUndone) {
    LockedHost host;
    host.set("numOfGames", "2");
    host.set("bedtime", "22:00");
    host.set("dailyMatches", "4");
    host.wait(1);
    EXPECT_TRUE(host.logLines().empty());
    host.set("numOfGames", "3");
    host.set("bedtime", "23:00");
    host.set("dailyMatches", "0");
    host.wait(1);
    EXPECT_EQ(host.var("numOfGames"), "2");
    EXPECT_EQ(host.var("bedtime"), "22:00");
    EXPECT_EQ(host.var("dailyMatches"), "4");
    EXPECT_EQ(host.logLines().size(), 3U);
}

TEST(Lock, AKeyBoundToSetIsPutBackAsTheConsoleIs) {
    LockedHost host;
    host.world.console().bind("F6", "set lossStreakLimit 0", "script");
    host.set("lossStreakLimit", "4");
    host.wait(1);
    host.world.console().press("F6");
    EXPECT_EQ(host.var("lossStreakLimit"), "0");
    host.wait(1);
    EXPECT_EQ(host.var("lossStreakLimit"), "4");
    EXPECT_EQ(host.logged(LockedHost::keptLine("lossStreakLimit", "4")), 1U);
}

TEST(Lock, TheMasterSwitchAndItsKeyTurnTheCountRulesOnButNeverOff) {
    LockedHost host;
    host.console("SundownEnableDisable");
    EXPECT_TRUE(host.sundown().enabled);
    EXPECT_EQ(host.var("enableSundown"), "1");
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), kLockedLine);
    host.clickOnPage("Enable/Disable Quit after games count");
    EXPECT_TRUE(host.sundown().enabled);
    // Set off at the console, the switch is on again before the page or a match reads it.
    host.set("enableSundown", "0");
    host.drawPage();
    EXPECT_TRUE(host.sundown().enabled);
    EXPECT_EQ(host.var("enableSundown"), "1");
    EXPECT_EQ(host.logged(LockedHost::keptLine("enableSundown", "1")), 1U);
}

TEST(Lock, TheCountIsNotResetTheModeNotChangedAndTheTimerStartedButNotStopped) {
    LockedHost host;
    host.playMatch(Result::Loss);
    host.clickOnPage("Reset Games Count");
    EXPECT_EQ(host.sundown().numberOfGamesPlayed, 1);
    host.clickOnPage("Lose Count");
    EXPECT_EQ(host.sundown().selectedOption, 0);
    EXPECT_EQ(host.var("enableByNumOption"), "Game Count");
    EXPECT_EQ(host.logged(LockedHost::keptLine("enableByNumOption", "Game Count")), 1U);
    host.pressStartStop();
    EXPECT_TRUE(host.sundown().timerRunning);
    host.pressStartStop();
    EXPECT_TRUE(host.sundown().timerRunning);
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), kLockedLine);
}

TEST(Lock, AHigherNumberTypedOnThePageIsPutBackBeforeTheNextDrawing) {
    LockedHost host;
    host.typeOnPage("Quit after # minutes", "30");
    EXPECT_EQ(host.var("numOfMinutes"), "1") << "locked at the one minute it held";
    EXPECT_EQ(host.sundown().maxMinutes, 1);
    host.typeOnPage("Quit after # games", "2");
    EXPECT_EQ(host.var("numOfGames"), "2");
    EXPECT_EQ(host.sundown().maxNumberOfGames, 2);
    host.typeOnPage("Quit after # games", "9");
    EXPECT_EQ(host.var("numOfGames"), "2");
    EXPECT_EQ(host.sundown().maxNumberOfGames, 2);
    // The field gives its number again at each frame it is typed in: said once.
    EXPECT_EQ(host.logged(LockedHost::keptLine("numOfGames", "2")), 1U);
}

TEST(Lock, ALoosenedLimitAMomentBeforeTheMatchEndsIsPutBackBeforeTheMatchIsJudged) {
    LockedHost host;
    host.set("lossStreakLimit", "2");
    host.wait(1);
    host.playMatch(Result::Loss);
    host.startOnlineMatch();
    host.wait(60);
    host.set("lossStreakLimit", "0");
    host.endMatch(Result::Loss);
    host.wait(5);
    EXPECT_EQ(host.pluginCommands(), kOneLeave);
    EXPECT_EQ(host.var("lossStreakLimit"), "2");
}

TEST(Lock, AValueEditedWhileTheGameWasClosedIsPutBackAtLoad) {
    LockedHost host;
    host.restartWithSaved("numOfGames", "40");
    host.canvasFrame();
    EXPECT_EQ(host.var("numOfGames"), "3");
    EXPECT_EQ(host.logged(LockedHost::keptLine("numOfGames", "3")), 1U);
    // The count rules were on when locked: a fresh load turns them on again.
    EXPECT_TRUE(host.sundown().enabled);
    EXPECT_EQ(host.logged(LockedHost::keptLine("enableSundown", "1")), 1U);
}

TEST(Lock, AStartHourEditedWhileTheGameWasClosedIsPutBackBeforeTheDayIsRead) {
    LockedHost host;
    host.set("dailyMatches", "2");
    host.wait(1);
    host.playMatch(Result::Win);
    host.restartWithSaved("dayStartsAt", "21");
    host.canvasFrame();
    EXPECT_EQ(host.var("dayStartsAt"), "4");
    host.playMatch(Result::Win);
    host.wait(5);
    EXPECT_EQ(host.pluginCommands(), kOneLeave) << "the day's two matches kept";
}

TEST(Lock, AnUnreadableOrEndedSavedLockIsNoLock) {
    {
        LockedHost host;
        host.restartWithSaved("savedLock", "2026-12-09;tomorrow;1,0,3,1,0,0,0,0,0,4,0;23:30;;");
        host.set("numOfGames", "10");
        host.wait(1);
        EXPECT_EQ(host.var("numOfGames"), "10");
        EXPECT_EQ(host.var("savedLock"), "");
    }
    {
        LockedHost host;
        host.clock("2026-12-10", "04:00");
        host.restart();
        host.set("numOfGames", "10");
        host.wait(1);
        EXPECT_EQ(host.var("numOfGames"), "10");
        EXPECT_EQ(host.var("savedLock"), "");
        host.drawPage();
        EXPECT_NE(host.pageText().find(kLockButton), std::string::npos) << "offered again";
    }
}

TEST(Lock, ItEndsAtTheStartHourAndTheMatchInProgressPlaysOutUnderTheLimitsItHad) {
    LockedHost host;
    host.set("bedtime", "03:00");  // later: put back
    host.clock("2026-12-10", "03:55");
    host.wait(1);
    EXPECT_EQ(host.var("bedtime"), "23:30");
    host.startOnlineMatch();
    host.wait(10 * 60);
    host.endMatch(Result::Win);
    host.wait(5);
    EXPECT_EQ(host.pluginCommands(), kOneLeave) << "approved in the night, whatever the lock";
    EXPECT_EQ(host.var("savedLock"), "");
    host.set("bedtime", "");
    host.wait(1);
    EXPECT_EQ(host.var("bedtime"), "");
}

TEST(Lock, AClockSetBackAcrossTheStartHourLeavesItLocked) {
    LockedHost host;
    host.clock("2026-12-10", "03:59");
    host.wait(1);
    host.clock("2026-12-09", "03:00");
    host.set("numOfGames", "10");
    host.wait(1);
    EXPECT_EQ(host.var("numOfGames"), "3");
    host.clock("2026-12-10", "04:00");
    host.set("numOfGames", "10");
    host.wait(1);
    EXPECT_EQ(host.var("numOfGames"), "10");
}

TEST(Lock, TheKeptSessionCannotBeTurnedOffAndKeepsTheCountAcrossARestart) {
    PluginHost host;
    host.world.setWallClock(*parseWallTime("2026-12-09", "20:00"));
    host.set("keepSessionOnRestart", "1");
    host.set("numOfGames", "2");
    host.console("SundownEnableDisable");
    host.wait(3);
    host.clickOnPage(kLockButton);
    host.playMatch(Result::Win);
    host.set("keepSessionOnRestart", "0");
    host.wait(1);
    EXPECT_EQ(host.var("keepSessionOnRestart"), "1");
    host.restart();
    host.playMatch(Result::Loss);
    host.wait(5);
    EXPECT_EQ(host.pluginCommands(), kOneLeave);
}

TEST(Lock, LimitsByWeekdayAndAWeeksBudgetAreHeldToo) {
    LockedHost host;
    host.set("minutesByWeekday", "60,60,60,60,60,120,120");
    host.set("weeklyMatches", "10");
    host.wait(1);
    host.set("minutesByWeekday", "60,90,60,60,60,120,");
    host.set("weeklyMatches", "12");
    host.wait(1);
    EXPECT_EQ(host.var("minutesByWeekday"), "60,60,60,60,60,120,120");
    EXPECT_EQ(host.var("weeklyMatches"), "10");
    host.set("minutesByWeekday", "60,90,60,60,60,120,30");
    host.wait(1);
    EXPECT_EQ(host.var("minutesByWeekday"), "60,60,60,60,60,120,30")
        << "the tightened Sunday kept, the loosened Tuesday put back";
}

TEST(Lock, NothingIsOfferedWhileNoLimitIsInForceAndNothingChangesWhileNobodyLocks) {
    PluginHost host;
    host.drawPage();
    EXPECT_EQ(host.pageText().find("Lock my limits"), std::string::npos);
    host.set("lossStreakLimit", "3");
    host.drawPage();
    EXPECT_NE(host.pageText().find("Lock my limits until 04:00"), std::string::npos);
    host.set("lossStreakLimit", "0");
    host.pressStartStop();
    host.drawPage();
    EXPECT_NE(host.pageText().find("Lock my limits until 04:00"), std::string::npos)
        << "the timer running is a limit in force";
    host.pressStartStop();
    EXPECT_FALSE(host.sundown().timerRunning);
    host.set("numOfGames", "10");
    host.wait(2);
    EXPECT_EQ(host.var("savedLock"), "");
    EXPECT_TRUE(host.logLines().empty());
}

TEST(Lock, TakenAnewWhileTheStatusLineSaysLockedTheLineIsStillWhole) {
    LockedHost host;
    host.clock("2026-12-10", "03:59");
    host.wait(59);
    host.console("SundownEnableDisable");  // refused: the line is shown
    host.wait(1.5);                        // the day ends, and the lock with it
    EXPECT_EQ(host.var("savedLock"), "");
    host.clickOnPage("Lock my limits until 04:00");
    host.canvasFrame();
    EXPECT_EQ(host.statusText(), kLockedLine);
    EXPECT_EQ(host.var("savedLock").rfind("2026-12-10;2026-12-11 04:00;", 0), 0U);
}
