// The lock on the player's limits, driven directly: which way each limit loosens, what holding a
// player's limits to a lock puts back and keeps, when the lock ends, and the text it saves.
#include <gtest/gtest.h>

#include "Calendar.h"
#include "Lock.h"

namespace {

LocalTime at(int year, int month, int day, int hour, int minute = 0) {
    return {year, month, day, hour, minute};
}

std::optional<ClockTime> clock(const char* text) {
    return parseClockTime(text);
}

// A player who locked a count of three games, a streak of four, two hours a day and 23:30.
LockedLimits evening() {
    LockedLimits limits;
    limits.countRulesOn = true;
    limits.games = 3;
    limits.minutes = 60;
    limits.streak = 4;
    limits.daily = DayLimits{0, 120};
    limits.bedtime = clock("23:30");
    return limits;
}

}  // namespace

TEST(LockedLimits, ALimitLoosensUpwardsAndToNoneButASetOneIsTighterThanNone) {
    EXPECT_TRUE(looserLimit(5, 4));
    EXPECT_TRUE(looserLimit(0, 4)) << "none is the loosest";
    EXPECT_FALSE(looserLimit(4, 4));
    EXPECT_FALSE(looserLimit(3, 4));
    EXPECT_FALSE(looserLimit(7, 0)) << "a limit where there was none is lower";
    EXPECT_FALSE(looserLimit(0, 0));
    EXPECT_EQ(tighterLimit(0, 7), 7);
    EXPECT_EQ(tighterLimit(7, 0), 7);
    EXPECT_EQ(tighterLimit(3, 7), 3);
}

TEST(LockedLimits, ABedtimeLoosensLaterInTheOneNightThatRunsToTheStartHour) {
    EXPECT_TRUE(looserBedtime(clock("23:30"), clock("22:00"), 4));
    EXPECT_TRUE(looserBedtime(clock("00:30"), clock("23:30"), 4)) << "past midnight is later";
    EXPECT_TRUE(looserBedtime(clock("03:59"), clock("00:30"), 4));
    EXPECT_FALSE(looserBedtime(clock("22:00"), clock("00:30"), 4));
    EXPECT_FALSE(looserBedtime(clock("04:01"), clock("03:00"), 4))
        << "just after the start hour is the earliest a night can begin";
    EXPECT_TRUE(looserBedtime(std::nullopt, clock("23:30"), 4)) << "cleared";
    EXPECT_TRUE(looserBedtime(clock("04:00"), clock("23:30"), 4)) << "at the start hour: no night";
    EXPECT_FALSE(looserBedtime(clock("21:00"), std::nullopt, 4)) << "set where there was none";
    // Another start hour orders the night from it.
    EXPECT_TRUE(looserBedtime(clock("05:30"), clock("23:00"), 6));
    EXPECT_FALSE(looserBedtime(clock("05:30"), clock("23:00"), 5)) << "05:30 is before 23:00 then";
}

TEST(LockedLimits, EveryLoosenedLimitIsPutBackAndEveryTightenedOneKept) {
    LockedLimits set = evening();
    set.countRulesOn = false;
    set.mode = 1;
    set.games = 2;
    set.minutes = 90;
    set.streak = 0;
    set.daily.minutes = 100;
    set.daily.matches = 6;
    set.bedtime = clock("00:15");
    set.startHour = 5;
    const Holding held = holdTo(evening(), set);
    for (const LockedLimit loosened :
         {LockedLimit::CountRules, LockedLimit::Mode, LockedLimit::Minutes, LockedLimit::Streak,
          LockedLimit::Bedtime, LockedLimit::StartHour}) {
        EXPECT_TRUE(held.puts(loosened)) << static_cast<int>(loosened);
    }
    for (const LockedLimit tightened :
         {LockedLimit::Games, LockedLimit::DailyMinutes, LockedLimit::DailyMatches,
          LockedLimit::MinutesByWeekday, LockedLimit::SessionKept}) {
        EXPECT_FALSE(held.puts(tightened)) << static_cast<int>(tightened);
    }
    EXPECT_TRUE(held.kept.countRulesOn);
    EXPECT_EQ(held.kept.mode, 0);
    EXPECT_EQ(held.kept.games, 2);
    EXPECT_EQ(held.kept.minutes, 60);
    EXPECT_EQ(held.kept.streak, 4);
    EXPECT_EQ(held.kept.daily.minutes, 100);
    EXPECT_EQ(held.kept.daily.matches, 6);
    EXPECT_EQ(held.kept.bedtime->hour, 23);
    EXPECT_EQ(held.kept.startHour, 4);
}

TEST(LockedLimits, NothingLoosenedPutsNothingBack) {
    EXPECT_FALSE(holdTo(evening(), evening()).any());
    LockedLimits keeping;
    keeping.sessionKept = true;
    LockedLimits dropped = keeping;
    dropped.sessionKept = false;
    EXPECT_TRUE(holdTo(keeping, dropped).puts(LockedLimit::SessionKept));
    EXPECT_FALSE(holdTo(dropped, keeping).any()) << "turning keeping on is free";
}

TEST(LockedLimits, LimitsByWeekdayAreHeldByTheLimitInForceOnEachWeekday) {
    LockedLimits locked;
    locked.daily.minutes = 60;
    // Seven numbers set over a daily limit may loosen a weekday: put back weekday by weekday.
    LockedLimits set = locked;
    set.minutesByWeekday = WeekdayNumbers{90, 30, 30, 30, 30, 30, 0};
    Holding held = holdTo(locked, set);
    ASSERT_TRUE(held.puts(LockedLimit::MinutesByWeekday));
    EXPECT_EQ(writeWeekdayNumbers(*held.kept.minutesByWeekday), "60,30,30,30,30,30,60");
    // All tighter than the daily limit: kept as typed.
    set.minutesByWeekday = WeekdayNumbers{30, 30, 30, 30, 30, 30, 45};
    held = holdTo(locked, set);
    EXPECT_FALSE(held.any());
    // Cleared, the daily limit is in force again: looser only where a weekday was tighter.
    locked.minutesByWeekday = WeekdayNumbers{30, 60, 60, 60, 60, 60, 60};
    set = locked;
    set.minutesByWeekday.reset();
    held = holdTo(locked, set);
    ASSERT_TRUE(held.puts(LockedLimit::MinutesByWeekday));
    EXPECT_EQ(writeWeekdayNumbers(*held.kept.minutesByWeekday), "30,60,60,60,60,60,60");
    // A daily limit lowered under a weekday text is free, and does not touch the text.
    set = locked;
    set.daily.minutes = 20;
    EXPECT_FALSE(holdTo(locked, set).any());
}

TEST(Lock, AHeldLimitRatchetsSoATightenedOneCannotBeLoosenedBack) {
    Lock lock;
    lock.take("2026-12-09", minuteNumber(at(2026, 12, 10, 4)), evening());
    LockedLimits set = evening();
    set.games = 2;
    EXPECT_FALSE(lock.hold(set).any());
    set.games = 3;
    const Holding held = lock.hold(set);
    EXPECT_TRUE(held.puts(LockedLimit::Games));
    EXPECT_EQ(held.kept.games, 2);
    EXPECT_EQ(lock.limits().games, 2);
}

TEST(Lock, ItEndsWithTheDayItWasTakenInAndNotWhenTheClockIsSetBackAcrossTheStartHour) {
    Lock lock;
    lock.take("2026-12-09", minuteNumber(at(2026, 12, 10, 4)), evening());
    EXPECT_FALSE(lock.follow(at(2026, 12, 10, 3, 59), 4));
    EXPECT_FALSE(lock.follow(at(2026, 12, 9, 2), 4)) << "set back across the start hour";
    EXPECT_TRUE(lock.held());
    EXPECT_TRUE(lock.follow(at(2026, 12, 10, 4), 4));
    EXPECT_FALSE(lock.held());
    EXPECT_FALSE(lock.follow(at(2026, 12, 10, 5), 4)) << "ended once";
}

TEST(Lock, AWrongClocksDayTakenForTodayEndsIt) {
    Lock lock;
    lock.take("2026-12-09", minuteNumber(at(2026, 12, 10, 4)), evening());
    EXPECT_TRUE(lock.follow(at(2026, 11, 9, 20), 4)) << "a month back";
    lock.take("2026-12-09", minuteNumber(at(2026, 12, 20, 4)), evening());
    EXPECT_TRUE(lock.follow(at(2026, 12, 9, 20), 4)) << "an end ten days away is a wrong clock's";
}

TEST(Lock, WhatItSavesReadsBackAndAnythingElseIsNoLock) {
    Lock lock;
    LockedLimits limits = evening();
    limits.minutesByWeekday = WeekdayNumbers{60, 60, 60, 60, 90, 180, 180};
    limits.week = WeekLimits{20, 600};
    limits.sessionKept = true;
    lock.take("2026-12-09", minuteNumber(at(2026, 12, 10, 4)), limits);
    const std::string saved = lock.save();
    EXPECT_EQ(saved,
              "2026-12-09;2026-12-10 04:00;1,0,3,60,4,120,0,600,20,4,1;23:30;"
              "60,60,60,60,90,180,180;");
    Lock loaded;
    loaded.load(saved);
    ASSERT_TRUE(loaded.held());
    EXPECT_EQ(loaded.save(), saved);
    EXPECT_EQ(loaded.end(), minuteNumber(at(2026, 12, 10, 4)));

    for (const char* wrong : {"", "2026-12-09;2026-12-10 04:00;1,0,3,60,4,120,0,600,20,4,1;23:30;",
                              "2026-12-32;2026-12-10 04:00;1,0,3,60,4,120,0,600,20,4,1;;;",
                              "2026-12-09;2026-12-10 4:00;1,0,3,60,4,120,0,600,20,4,1;;;",
                              "2026-12-09;2026-12-10 04:00;1,0,3,60,4,120,0,600,20,4;;;",
                              "2026-12-09;2026-12-10 04:00;1,3,3,60,4,120,0,600,20,4,1;;;",
                              "2026-12-09;2026-12-10 04:00;1,0,0,60,4,120,0,600,20,4,1;;;",
                              "2026-12-09;2026-12-10 04:00;1,0,3,60,4,120,0,600,20,24,1;;;",
                              "2026-12-09;2026-12-10 04:00;1,0,3,60,4,120,0,600,20,4,1;25:00;;",
                              "2026-12-09;2026-12-10 04:00;1,0,3,60,4,120,0,600,20,4,1;;1,2,3;"}) {
        Lock unread;
        unread.load(wrong);
        EXPECT_FALSE(unread.held()) << '"' << wrong << '"';
    }
    Lock ended;
    ended.load(saved);
    ended.follow(at(2026, 12, 10, 4), 4);
    EXPECT_EQ(ended.save(), "");
}

TEST(Lock, ACountOrTimeLimitBeyondAByteIsSavedAndReadBack) {
    // The console holds "numOfGames" and "numOfMinutes" without a maximum.
    LockedLimits limits = evening();
    limits.games = 300;
    limits.minutes = 1000;
    Lock lock;
    lock.take("2026-12-09", minuteNumber(at(2026, 12, 10, 4)), limits);
    Lock loaded;
    loaded.load(lock.save());
    ASSERT_TRUE(loaded.held());
    EXPECT_EQ(loaded.limits().games, 300);
    EXPECT_EQ(loaded.limits().minutes, 1000);
}
