// A day's budget of online play, for the player who sets one: what counts, when the day changes,
// and what a saved day of any text reads as.
#include <gtest/gtest.h>

#include "HostFixture.h"
#include "WallTime.h"

namespace {

// A player with a day's budget, at a chosen moment of a chosen day.
struct DayHost : PluginHost {
    DayHost(const char* setting, const char* limit, const char* date, const char* time) {
        set(setting, limit);
        clock(date, time);
    }
    void clock(const char* date, const char* time) {
        world.setWallClock(*parseWallTime(date, time));
    }
    std::string today() {
        drawPage();
        const std::string& page = pageText();
        const std::size_t start = page.find("Today:");
        return start == std::string::npos ? "no line"
                                          : page.substr(start, page.find('\n', start) - start);
    }
};

}  // namespace

TEST(DailyBudget, TheDayIsNamedByTheDateItStartsOnAtItsStartHour) {
    struct Case {
        const char* time;
        const char* startHour;
        const char* day;
        const char* end;
    };
    const Case cases[] = {
        {"03:59:59", "4", "2026-12-08", "2026-12-09 04:00"},
        {"04:00:00", "4", "2026-12-09", "2026-12-10 04:00"},
        {"00:00:00", "0", "2026-12-09", "2026-12-10 00:00"},
        {"22:59:59", "23", "2026-12-08", "2026-12-09 23:00"},
        {"23:00:00", "23", "2026-12-09", "2026-12-10 23:00"},
        {"12:00:00", "13", "2026-12-08", "2026-12-09 13:00"},
    };
    for (const Case& moment : cases) {
        DayHost host("dailyMatches", "9", "2026-12-09", moment.time);
        host.set("dayStartsAt", moment.startHour);
        host.startOnlineMatch();
        host.destroyMatch();  // left before its end: counted, with no time to speak of
        EXPECT_EQ(host.var("savedDay"), std::string(moment.day) + ",1,0," + moment.end)
            << moment.time << ", days starting at " << moment.startHour;
    }
    // Across the ends of months and years, and a leap day.
    DayHost newYear("dailyMatches", "9", "2027-01-01", "01:00");
    newYear.startOnlineMatch();
    newYear.destroyMatch();
    EXPECT_EQ(newYear.var("savedDay"), "2026-12-31,1,0,2027-01-01 04:00");
    DayHost leap("dailyMatches", "9", "2028-03-01", "03:00");
    leap.startOnlineMatch();
    leap.destroyMatch();
    EXPECT_EQ(leap.var("savedDay"), "2028-02-29,1,0,2028-03-01 04:00");
}

TEST(DailyBudget, ASavedDayOfAnyTextNeverCrashesAndReadsAsFarAsItGoes) {
    struct Case {
        std::string saved;
        const char* today;
    };
    const Case cases[] = {
        {"2026-06-01,4,1830", "Today: matches 4 of 9, minutes 30"},
        {"2026-06-01", "Today: matches 0 of 9, minutes 0"},
        {"2026-06-01,", "Today: matches 0 of 9, minutes 0"},
        {"2026-06-01,7", "Today: matches 7 of 9, minutes 0"},
        {"abc", "Today: matches 0 of 9, minutes 0"},
        {"abc,5,600", "Today: matches 0 of 9, minutes 0"},  // an unreadable date: afresh
        {"2026-02-30,5,600", "Today: matches 0 of 9, minutes 0"},
        {"2026-06-01,-3,-60", "Today: matches 0 of 9, minutes 0"},
        {"2026-06-01,+3,60", "Today: matches 0 of 9, minutes 1"},
        {"2026-06-01,x,60", "Today: matches 0 of 9, minutes 1"},
        {"2026-06-01,99999999999999999999,99999999999999999999",
         "Today: matches 255 of 9, minutes 1440"},
        {"2026-06-01,300,90000", "Today: matches 255 of 9, minutes 1440"},
        {"2026-06-01,2,120,extra,fields", "Today: matches 2 of 9, minutes 2"},
        {" 2026-06-01 ,\t2 , 120\r\n", "Today: matches 2 of 9, minutes 2"},
        {std::string(10'000, '7'), "Today: matches 0 of 9, minutes 0"},
        {"2026-06-01," + std::string(10'000, '9'), "Today: matches 255 of 9, minutes 0"},
        {std::string(5'000, ','), "Today: matches 0 of 9, minutes 0"},
    };
    for (const Case& day : cases) {
        PluginHost host;
        host.set("dailyMatches", "9");
        host.restartWithSaved("savedDay", day.saved);
        host.drawPage();
        const std::string& page = host.pageText();
        EXPECT_NE(page.find(day.today), std::string::npos)
            << "'" << day.saved.substr(0, 40) << "': " << page.substr(page.find("Today"));
    }
}

TEST(DailyBudget, MatchesHeldAt255AndSecondsAtADay) {
    DayHost host("dailyMinutes", "1440", "2026-12-08", "20:00");
    host.restartWithSaved("savedDay", "2026-12-08,255,86399");
    host.startOnlineMatch();
    host.wait(5);
    host.endMatch(Result::Win);
    EXPECT_EQ(host.var("savedDay"), "2026-12-08,255,86400,2026-12-09 04:00");
    host.wait(5);
    EXPECT_TRUE(host.world.game().quit()) << "a whole day of play meets any minutes limit";
}

TEST(DailyBudget, TimeIsTheGamesClockNotTheDifferenceOfTwoReadings) {
    DayHost host("dailyMinutes", "60", "2026-12-08", "20:00");
    host.startOnlineMatch();
    host.wait(30);
    host.clock("2026-12-08", "23:00");  // forwards three hours, within the day
    host.wait(30);
    host.clock("2026-12-08", "21:00");  // and back
    host.wait(30);
    host.endMatch(Result::Win);
    EXPECT_EQ(host.var("savedDay"), "2026-12-08,1,90,2026-12-09 04:00");
}

TEST(DailyBudget, SavedEveryMinuteOfPlaySoACrashLosesAtMostAMinute) {
    DayHost host("dailyMinutes", "60", "2026-12-08", "20:00");
    host.startOnlineMatch();
    host.wait(59);
    EXPECT_EQ(host.var("savedDay"), "");
    host.wait(1);
    EXPECT_EQ(host.var("savedDay"), "2026-12-08,0,60,2026-12-09 04:00");
    host.wait(150);
    EXPECT_EQ(host.var("savedDay"), "2026-12-08,0,180,2026-12-09 04:00");
}

TEST(DailyBudget, OneLeaveWhenTheDayAndACountRuleAreMetByTheSameMatch) {
    DayHost host("dailyMatches", "1", "2026-12-08", "20:00");
    host.set("numOfGames", "1");
    host.console("SundownEnableDisable");
    host.playMatch(Result::Loss);
    host.wait(5);
    EXPECT_EQ(host.pluginCommands(),
              (std::vector<std::string>{"unreal_command disconnect", "unreal_command exit"}));
}

TEST(DailyBudget, AnOfflineMatchOrOneNeverKickedOffDoesNotCount) {
    DayHost host("dailyMatches", "1", "2026-12-08", "20:00");
    host.world.game().startOffline();
    host.world.game().startRound();
    host.world.game().endMatch(0);
    host.world.game().leaveMatch();
    host.world.game().joinOnline();  // in the lobby: no round yet
    host.world.game().leaveMatch(Leaving::WalkOut);
    host.wait(5);
    EXPECT_FALSE(host.world.game().quit());
    EXPECT_EQ(host.today(), "Today: matches 0 of 1, minutes 0");
}

TEST(DailyBudget, TheCanvasFrameCostsTheSameWithTheBudgetOn) {
    DayHost host("dailyMinutes", "60", "2026-12-08", "20:00");
    host.startOnlineMatch();
    const std::size_t pending = host.world.clock().pending();
    host.canvasFrame();
    host.canvasFrame();
    EXPECT_EQ(host.world.clock().pending(), pending) << "a frame arms nothing";
    EXPECT_EQ(host.var("savedDay"), "") << "a frame writes nothing";
}

TEST(DailyBudget, ThePageWritesTheLimitsWithinTheirRanges) {
    PluginHost host;
    host.drawPage();
    host.typeOnPage("Online minutes a day", "2000");
    host.typeOnPage("Online matches a day", "300");
    host.typeOnPage("Day starts at hour", "30");
    EXPECT_EQ(host.var("dailyMinutes"), "1440");
    EXPECT_EQ(host.var("dailyMatches"), "255");
    EXPECT_EQ(host.var("dayStartsAt"), "23");
    host.typeOnPage("Online minutes a day", "45");
    host.drawPage();
    EXPECT_NE(host.pageText().find("{ 45 } Online minutes a day"), std::string::npos);
    EXPECT_NE(host.pageText().find("Today: matches 0 of 255, minutes 0 of 45"), std::string::npos);
}

TEST(DailyBudget, AMatchApprovedBeforeALimitWasSetCountsWhenItEnds) {
    PluginHost host;
    host.world.setWallClock(*parseWallTime("2026-12-08", "20:00"));
    host.startOnlineMatch();  // no limit yet: its time is not counted
    host.wait(30);
    host.set("dailyMatches", "2");
    host.endMatch(Result::Win);
    EXPECT_EQ(host.var("savedDay"), "2026-12-08,1,0,2026-12-09 04:00");
}

TEST(DailyBudget, AMatchKeepsBeingCountedWhenTheBudgetIsSwitchedOffDuringIt) {
    DayHost host("dailyMinutes", "60", "2026-12-08", "20:00");
    host.startOnlineMatch();
    host.wait(30);
    host.set("dailyMinutes", "0");
    host.wait(10);
    host.endMatch(Result::Loss);
    EXPECT_EQ(host.var("savedDay"), "2026-12-08,1,40,2026-12-09 04:00");
}

TEST(DailyBudget, TodaysTimeIsUpIsSaidOnceAsTheMinutesRunOutInAMatch) {
    DayHost host("dailyMinutes", "1", "2026-12-08", "20:00");
    host.set("enableHeadsUp", "1");
    host.startOnlineMatch();
    const std::uint32_t atKickOff = host.sundown().headsUp.shown();
    host.wait(60);
    EXPECT_EQ(host.sundown().headsUp.shown(), atKickOff + 1);
    EXPECT_EQ(host.statusText(), "Sundown: today's time is up, quitting after this match");
    host.wait(120);  // minutes past the limit, still in the match
    EXPECT_EQ(host.sundown().headsUp.shown(), atKickOff + 1);
    EXPECT_FALSE(host.world.game().quit());
}

TEST(DailyBudget, AStartHourTypedOnThePageKeepsTheDayAndItsCounts) {
    DayHost host("dailyMatches", "3", "2026-12-08", "20:00");
    host.playMatch(Result::Win);
    host.playMatch(Result::Win);
    host.typeOnPage("Day starts at hour", "21");
    EXPECT_EQ(host.today(), "Today: matches 2 of 3, minutes 0");
    host.typeOnPage("Day starts at hour", "4");
    EXPECT_EQ(host.today(), "Today: matches 2 of 3, minutes 0");
    EXPECT_EQ(host.var("savedDay"), "2026-12-08,2,0,2026-12-09 04:00");
    host.playMatch(Result::Win);
    host.wait(5);
    EXPECT_TRUE(host.world.game().quit());
}

TEST(DailyBudget, WhatTheWeekdayTableWritesIsSeenByTheRestOfTheSameDrawing) {
    DayHost host("dailyMatches", "3", "2026-12-08", "20:00");
    host.drawPage();
    // The drawing in which the box is ticked already names the weekday, and its limit.
    const std::string ticked = host.clickAndReadThatDrawing("Different limits by weekday");
    EXPECT_NE(ticked.find("Today (Tue): matches 0 of 3, minutes 0"), std::string::npos) << ticked;
    host.typeOnPage("##matches Tue", "2");
    EXPECT_EQ(host.var("matchesByWeekday"), "3,2,3,3,3,3,3");
    host.drawPage();
    EXPECT_NE(host.pageText().find("Today (Tue): matches 0 of 2, minutes 0"), std::string::npos);
}
