// A week's budget of online play, for the player who sets one, with the plug-in loaded: the week's
// last match and its leave with the other rules the same match can meet, across restarts, and the
// page that sets it.
#include <gtest/gtest.h>

#include <algorithm>

#include "DayShell.h"
#include "HostFixture.h"
#include "Sundown.h"
#include "WallTime.h"

namespace {

struct WeekHost : PluginHost {
    WeekHost(const char* setting, const char* limit) {
        set(setting, limit);
        clock("2026-12-07", "20:00");  // a Monday
    }
    void clock(const char* date, const char* time) {
        world.setWallClock(*parseWallTime(date, time));
    }
    std::string weekLine() {
        drawPage();
        const std::string& page = pageText();
        const std::size_t start = page.find("This week:");
        return start == std::string::npos ? "no line"
                                          : page.substr(start, page.find('\n', start) - start);
    }
    std::size_t logged(const std::string& line) {
        const std::vector<std::string> lines = logLines();
        return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
    }
};

}  // namespace

TEST(WeeklyBudget, TheWeeksLastMatchLeavesOnceByTheWeeksBudget) {
    WeekHost host("weeklyMatches", "2");
    host.sundown().logEnabled = true;
    host.playMatch(Result::Win);
    host.clock("2026-12-10", "20:00");
    host.playMatch(Result::Loss);
    host.wait(5);
    EXPECT_TRUE(host.world.game().quit());
    EXPECT_EQ(host.pluginCommands(),
              (std::vector<std::string>{"unreal_command disconnect", "unreal_command exit"}));
    EXPECT_EQ(host.logged("Trying to Exit by the week's budget"), 1U);
}

TEST(WeeklyBudget, OneLeaveWhenTheWeekAndACountRuleOrBedtimeAreMetByTheSameMatch) {
    WeekHost host("weeklyMatches", "1");
    host.set("numOfGames", "1");
    host.set("bedtime", "19:00");
    host.console("SundownEnableDisable");
    host.playMatch(Result::Loss);
    host.wait(5);
    EXPECT_EQ(host.pluginCommands(),
              (std::vector<std::string>{"unreal_command disconnect", "unreal_command exit"}));
}

TEST(WeeklyBudget, TheKickOffNamesTheDayBeforeTheWeekAndTheWeekBeforeTheCountRule) {
    WeekHost host("weeklyMatches", "2");
    host.set("enableHeadsUp", "1");
    host.set("numOfGames", "2");
    host.console("SundownEnableDisable");
    host.playMatch(Result::Win);
    host.startOnlineMatch();
    host.wait(0.1);
    EXPECT_EQ(host.statusText(), "Sundown: last game this week");
    host.set("dailyMatches", "2");
    host.endMatch(Result::Win);
    host.restart();
    host.clock("2026-12-08", "20:00");
    host.set("dailyMatches", "1");
    host.startOnlineMatch();
    host.wait(0.1);
    EXPECT_EQ(host.statusText(), "Sundown: last game today");
}

TEST(WeeklyBudget, TheWeekSpentInAMatchIsSaidOnceAndTheMatchIsPlayedOut) {
    WeekHost host("weeklyMinutes", "1");
    host.set("enableHeadsUp", "1");
    host.startOnlineMatch();
    const std::uint32_t atKickOff = host.sundown().headsUp.shown();
    host.wait(60);
    EXPECT_EQ(host.sundown().headsUp.shown(), atKickOff + 1);
    EXPECT_EQ(host.statusText(), "Sundown: this week's time is up, quitting after this match");
    host.wait(120);
    EXPECT_EQ(host.sundown().headsUp.shown(), atKickOff + 1);
    EXPECT_FALSE(host.world.game().quit());
    host.endMatch(Result::Win);
    host.wait(5);
    EXPECT_TRUE(host.world.game().quit());
}

TEST(WeeklyBudget, TheWeekIsKeptAcrossARestartWithoutAHistory) {
    WeekHost host("weeklyMinutes", "60");
    host.startOnlineMatch();
    host.wait(300);
    host.endMatch(Result::Win);
    host.destroyMatch();
    host.clock("2026-12-08", "20:00");
    host.restart();
    EXPECT_EQ(host.weekLine(), "This week: matches 1, minutes 5 of 60");
    EXPECT_EQ(host.var("keepHistory"), "0");
    host.set("weeklyMatches", "3");
    EXPECT_EQ(host.weekLine(), "This week: matches 1 of 3, minutes 5 of 60");
}

TEST(WeeklyBudget, ThePageOffersTheFieldsOnceTheDayIsCountedAndWritesThemWithinTheirRanges) {
    PluginHost host;
    host.world.setWallClock(*parseWallTime("2026-12-07", "20:00"));
    host.drawPage();
    EXPECT_EQ(host.pageText().find("Online minutes a week"), std::string::npos)
        << "nothing counted, no week's fields: the page stays as it was";
    host.set("keepHistory", "1");
    host.drawPage();
    EXPECT_EQ(host.pageText().find("This week:"), std::string::npos);
    host.typeOnPage("Online minutes a week", "20000");
    host.typeOnPage("Online matches a week", "5000");
    EXPECT_EQ(host.var("weeklyMinutes"), "10080");
    EXPECT_EQ(host.var("weeklyMatches"), "2000");
    host.typeOnPage("Online matches a week", "0");
    host.drawPage();
    EXPECT_NE(host.pageText().find("This week: matches 0, minutes 0 of 10080"), std::string::npos);
}

TEST(WeeklyBudget, TheChartNamesEachBarsWeekdayItsTallestBarAndEachDaysLimit) {
    WeekHost host("keepHistory", "1");
    host.restartWithSaved("savedHistory", "2026-12-01,1,5700;2026-12-06,2,1800");
    host.clock("2026-12-07", "20:00");
    host.drawPage();
    EXPECT_NE(host.pageText().find("Online minutes, last 14 days max 95 min\n"
                                   "T W T F S S M T W T F S S M\n"),
              std::string::npos)
        << host.pageText();
    EXPECT_FALSE(host.sundown().day->chartMarks()) << "no marks while no limit varies by day";
    // A week's budget marks each day's own limit, the daily one where no weekday's is set.
    host.set("weeklyMatches", "9");
    host.set("dailyMinutes", "30");
    host.drawPage();
    ASSERT_TRUE(host.sundown().day->chartMarks());
    EXPECT_EQ(host.sundown().day->chartMarks()->front(), 30.0F);
    host.set("minutesByWeekday", "10,20,30,40,50,60,70");
    host.drawPage();
    EXPECT_NE(host.pageText().find("[x] Different limits by weekday\nMon Tue Wed"),
              std::string::npos)
        << "the weekdays head their columns on a line of their own";
    EXPECT_EQ(host.sundown().day->chartMarks()->front(), 20.0F) << "the oldest bar, a Tuesday";
    EXPECT_EQ(host.sundown().day->chartMarks()->back(), 10.0F) << "today, a Monday";
}
