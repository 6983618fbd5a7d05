// The day's shell with no host: what it counts, saves and says as a match is played, with only a
// history kept, with a budget, and across the start hour.
#include <gtest/gtest.h>

#include "DayShell.h"
#include "FakeServices.h"
#include "HeadsUpTexts.h"
#include "Settings.h"

namespace {

// Plays `seconds` of an approved match, as the match flow's tick would.
void play(DayShell& day, FakeServices& services, int seconds) {
    for (int each = 0; each < seconds; ++each) {
        services.tick();
        if (day.followingClock()) {
            day.secondOfPlay();
        }
    }
}

KickOffOutlook kickOff(DayShell& day) {
    KickOffOutlook outlook;
    day.kickOff(outlook);
    return outlook;
}

}  // namespace

TEST(DayShell, WithNothingSetTheDayIsNotCountedAndNothingIsSaved) {
    FakeServices services;
    DayShell day(services);
    EXPECT_FALSE(day.on());
    EXPECT_FALSE(kickOff(day).dayEndsWhatever);
    EXPECT_FALSE(day.followingClock());
    play(day, services, 90);
    EXPECT_FALSE(day.matchEnded());
    EXPECT_EQ(services.text(setting::savedDay), "");
    EXPECT_EQ(day.today().matches(), 0);
}

TEST(DayShell, AHistoryAloneCountsTheDayWithoutEverEndingTheSession) {
    FakeServices services;
    services.set(setting::keepHistory, "1");
    DayShell day(services);
    EXPECT_TRUE(day.on());
    EXPECT_FALSE(kickOff(day).dayEndsWhatever);
    EXPECT_TRUE(day.followingClock());
    play(day, services, 125);
    EXPECT_FALSE(day.matchEnded()) << "no limit: a history never leaves";
    EXPECT_FALSE(day.followingClock());
    EXPECT_EQ(services.text(setting::savedDay), "2026-12-08,1,125,2026-12-09 04:00,history");
    EXPECT_TRUE(services.headsUps.empty());
}

TEST(DayShell, TheMinutesRunningOutInAMatchAreSaidOnceAndEndTheSessionAfterIt) {
    FakeServices services;
    services.set(setting::dailyMinutes, "2");
    DayShell day(services);
    EXPECT_FALSE(kickOff(day).dayEndsWhatever);
    play(day, services, 200);
    EXPECT_EQ(services.headsUps, std::vector<std::string>{headsUpText::kTodaysTimeIsUp});
    EXPECT_TRUE(day.matchEnded());
    // The next match kicks off with the day spent: its last, whatever the result.
    EXPECT_TRUE(kickOff(day).dayEndsWhatever);
}

TEST(DayShell, TheLastMatchOfTheDayIsKnownAtItsKickOff) {
    FakeServices services;
    services.set(setting::dailyMatches, "2");
    DayShell day(services);
    EXPECT_FALSE(kickOff(day).dayEndsWhatever);
    EXPECT_FALSE(day.matchEnded());
    EXPECT_TRUE(kickOff(day).dayEndsWhatever) << "the second of two";
    EXPECT_TRUE(day.matchEnded());
}

TEST(DayShell, ASecondThatStartedBeforeTheStartHourBelongsToTheDayThatEnds) {
    FakeServices services;
    services.set(setting::keepHistory, "1");
    services.clock = {2026, 12, 9, 3, 59};
    services.secondOfMinute = 0;
    DayShell day(services);
    kickOff(day);
    play(day, services, 59);
    EXPECT_EQ(day.today().name(), "2026-12-08");
    // 04:00:00: the second that ends now started at 03:59:59.
    play(day, services, 1);
    EXPECT_EQ(day.today().name(), "2026-12-08");
    EXPECT_EQ(day.today().seconds(), 60);
    // 04:00:01: a second of the new day; the day that ended is kept in the history.
    play(day, services, 1);
    EXPECT_EQ(day.today().name(), "2026-12-09");
    EXPECT_EQ(day.today().seconds(), 1);
    EXPECT_EQ(services.text(setting::savedHistory), "2026-12-08,0,60");
}

TEST(DayShell, WhatWasSavedComesBackAtTheLoadWithTheHistoryBeforeIt) {
    FakeServices services;
    services.set(setting::dailyMatches, "3");
    services.set(setting::savedDay, "2026-12-08,2,600");
    services.set(setting::savedHistory, "2026-12-07,4,1200");
    DayShell day(services);
    day.load();
    EXPECT_EQ(day.today().matches(), 2);
    EXPECT_EQ(day.history().days().size(), 1U);
    EXPECT_TRUE(kickOff(day).dayEndsWhatever) << "the third of three";
}

TEST(DayShell, ADayThatEndsIsWrittenToTheHistoryAndTheNextDayAtTheSameLook) {
    FakeServices services;
    services.set(setting::keepHistory, "1");
    services.set(setting::savedDay, "2026-12-08,2,600,2026-12-09 04:00,history");
    services.clock = {2026, 12, 9, 3, 59};
    DayShell day(services);
    day.look();
    EXPECT_EQ(services.text(setting::savedHistory), "");
    services.clock = {2026, 12, 9, 4, 0};
    day.look();
    // No restart can see the ended day in both, or in neither.
    EXPECT_EQ(services.text(setting::savedHistory), "2026-12-08,2,600");
    EXPECT_EQ(services.text(setting::savedDay), "2026-12-09,0,0,2026-12-10 04:00,history");
}

TEST(DayShell, ADayGoesIntoTheHistoryWhenItWasKeptAtAnyMomentOfIt) {
    FakeServices services;
    services.set(setting::dailyMatches, "5");
    services.clock = {2026, 12, 8, 20, 0};
    DayShell day(services);
    kickOff(day);
    static_cast<void>(day.matchEnded());
    services.set(setting::keepHistory, "1");
    day.look();
    services.set(setting::keepHistory, "0");
    day.look();
    // The day ends while the history is off: kept all the same.
    services.clock = {2026, 12, 9, 5, 0};
    day.look();
    EXPECT_EQ(services.text(setting::savedHistory), "2026-12-08,1,0");
    // A day played with the history off all along is never recorded.
    kickOff(day);
    static_cast<void>(day.matchEnded());
    services.clock = {2026, 12, 10, 5, 0};
    day.look();
    EXPECT_EQ(services.text(setting::savedHistory), "2026-12-08,1,0");
}

TEST(DayShell, AHandEditedHistoryIsReadAgainstTheClocksDay) {
    FakeServices services;
    services.set(setting::keepHistory, "1");
    services.set(setting::savedDay, "2026-12-01,1,60");
    services.set(setting::savedHistory, "2026-11-30,1,60;2026-12-05,2,120");
    services.clock = {2026, 12, 8, 20, 0};
    DayShell day(services);
    day.load();
    ASSERT_EQ(day.history().days().size(), 2U);
    EXPECT_EQ(day.history().days().back().day, "2026-12-05");
}

TEST(DayShell, AnUnreadableClockChangesNoDay) {
    FakeServices services;
    services.set(setting::dailyMatches, "3");
    services.set(setting::savedDay, "2026-12-08,2,600,2026-12-09 04:00");
    services.clockReadable = false;
    DayShell day(services);
    day.look();
    EXPECT_TRUE(kickOff(day).dayEndsWhatever) << "still the day saved, the third of three";
    EXPECT_TRUE(day.matchEnded());
    EXPECT_EQ(day.today().matches(), 3);
}

TEST(DayShell, ADayThatEndsDaysLaterTrimsTheHistoryAgainstToday) {
    FakeServices services;
    services.set(setting::keepHistory, "1");
    services.set(setting::savedHistory, "2026-11-22,1,60");
    services.set(setting::savedDay, "2026-11-30,1,60,2026-12-01 04:00,history");
    services.clock = {2026, 11, 30, 20, 0};
    DayShell day(services);
    day.look();
    // The game runs on for days without a look; then the day ends, eight days late.
    services.clock = {2026, 12, 8, 20, 0};
    day.look();
    EXPECT_EQ(services.text(setting::savedHistory), "2026-11-30,1,60");
}

TEST(DayShell, AMatchEndingOnADayAClockSetBackRenamedIsHeldToThatDaysWeekdayLimit) {
    FakeServices services;
    services.set(setting::matchesByWeekday, "1,1,1,1,1,0,0");
    DayShell day(services);
    EXPECT_TRUE(kickOff(day).dayEndsWhatever) << "Tuesday's one match";
    play(day, services, 30);
    // A month back: the clock's day, a Sunday without a limit, takes the day's counts.
    services.clock = {2026, 11, 8, 20, 1};
    EXPECT_FALSE(day.matchEnded());
    EXPECT_EQ(day.today().name(), "2026-11-08");
}
