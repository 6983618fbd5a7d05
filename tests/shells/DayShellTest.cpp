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
    EXPECT_EQ(services.text(setting::savedDay), "2026-12-08,1,125");
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
