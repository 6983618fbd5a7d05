// The day's budget and the calendar, driven directly: the day's name at the start hour's edges,
// the moment a day ends as the start hour and the clock change, counts at their ends, and the
// ticks of a match already counted.
#include <gtest/gtest.h>

#include "Calendar.h"
#include "DailyBudget.h"

TEST(Calendar, TheDayIsNamedByTheDateItStartsOnAtTheStartHoursEdges) {
    EXPECT_EQ(dayOfPlay({2026, 12, 9, 3}, 4), "2026-12-08");
    EXPECT_EQ(dayOfPlay({2026, 12, 9, 4}, 4), "2026-12-09");
    EXPECT_EQ(dayOfPlay({2026, 12, 9, 0}, 0), "2026-12-09");
    EXPECT_EQ(dayOfPlay({2026, 12, 9, 22}, 23), "2026-12-08");
    EXPECT_EQ(dayOfPlay({2026, 12, 9, 23}, 23), "2026-12-09");
    // Across the ends of a month, a year, and a leap day.
    EXPECT_EQ(dayOfPlay({2026, 12, 1, 1}, 4), "2026-11-30");
    EXPECT_EQ(dayOfPlay({2027, 1, 1, 1}, 4), "2026-12-31");
    EXPECT_EQ(dayOfPlay({2028, 3, 1, 3}, 4), "2028-02-29");
    EXPECT_EQ(dayOfPlay({2100, 3, 1, 3}, 4), "2100-02-28");
}

TEST(Calendar, OnlyDatesThatExistAreDayNames) {
    for (const char* name : {"2026-12-08", "2028-02-29", "2000-02-29", "0001-01-01"}) {
        EXPECT_TRUE(isDayName(name)) << name;
    }
    for (const char* name : {"2026-02-29", "2100-02-29", "2026-13-01", "2026-00-10", "2026-04-31",
                             "2026-1-01", "2026-01-1", "2026/01/01", "2026-01-01x", "",
                             "abcd-ef-gh", " 2026-01-01", "0000-06-01", "9999-06-01"}) {
        EXPECT_FALSE(isDayName(name)) << name;
    }
    // The calendar's ends are no day names, so the day before or after one sorts as a date.
    EXPECT_EQ(dayAfter("0001-01-01", -1), "0000-12-31");
    EXPECT_EQ(dayAfter("9998-12-31", 1), "9999-01-01");
    EXPECT_FALSE(readable({9999, 1, 1, 0, 0}));
    EXPECT_FALSE(readable({0, 12, 31, 23, 0}));
    EXPECT_FALSE(readable({2026, 12, 8, 24, 0}));
    EXPECT_TRUE(readable({2026, 12, 8, 23, 59}));
}

TEST(Calendar, MomentsAreWrittenReadAndMovedToTheNextStartHour) {
    const long long evening = minuteNumber({2026, 12, 8, 20, 30});
    EXPECT_EQ(momentName(evening), "2026-12-08 20:30");
    EXPECT_EQ(readMoment(" 2026-12-08 20:30 "), evening);
    for (const char* text : {"2026-12-08 24:00", "2026-12-08 20:60", "2026-02-30 20:00",
                             "2026-12-08T20:30", "2026-12-08 2:30", ""}) {
        EXPECT_FALSE(readMoment(text).has_value()) << text;
    }
    EXPECT_EQ(momentName(nextHourAfter(evening, 21)), "2026-12-08 21:00");
    EXPECT_EQ(momentName(nextHourAfter(evening, 4)), "2026-12-09 04:00");
    // The hour the clock is in has begun already: the next is tomorrow's.
    EXPECT_EQ(momentName(nextHourAfter(evening, 20)), "2026-12-09 20:00");
    EXPECT_EQ(momentName(nextHourAfter(minuteNumber({2026, 12, 8, 20, 0}), 20)),
              "2026-12-09 20:00");
    EXPECT_EQ(momentName(dayStart("2026-12-31", 4)), "2026-12-31 04:00");
    // Before 1970 too.
    EXPECT_EQ(momentName(nextHourAfter(minuteNumber({1969, 12, 31, 23, 0}), 4)),
              "1970-01-01 04:00");
}

TEST(DailyBudget, ADayThatChangesStartsAtZeroAndTheSameDayKeepsItsCounts) {
    DailyBudget day;
    day.load({"2026-12-08", 4, 1830}, 4);
    EXPECT_TRUE(day.loaded());
    day.follow({2026, 12, 8, 20}, 4, false);
    EXPECT_EQ(day.matches(), 4);
    EXPECT_EQ(day.seconds(), 1830);
    day.follow({2026, 12, 9, 4}, 4, false);
    EXPECT_EQ(day.name(), "2026-12-09");
    EXPECT_EQ(day.matches(), 0);
    EXPECT_EQ(day.seconds(), 0);
}

TEST(DailyBudget, AClockSetBackWithinADayKeepsTheDayAndItsEnd) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    // Set back across the start hour, and across midnight: still the day in progress.
    day.follow({2026, 12, 8, 3}, 4, false);
    day.follow({2026, 12, 7, 23}, 4, false);
    EXPECT_EQ(day.name(), "2026-12-08");
    EXPECT_EQ(day.matches(), 2);
    EXPECT_EQ(momentName(*day.end()), "2026-12-09 04:00");
    // Forwards again, within the day: the same counts; past its end: afresh.
    day.follow({2026, 12, 9, 3}, 4, false);
    EXPECT_EQ(day.matches(), 2);
    day.follow({2026, 12, 10, 12}, 4, false);
    EXPECT_EQ(day.name(), "2026-12-10");
    EXPECT_EQ(day.matches(), 0);
}

TEST(DailyBudget, ADayNamedMoreThanADayAfterTheClocksIsAWrongClocksAndTakesTodayKeepingItsCounts) {
    // Saved a day ahead of the clock: a clock set back within a day, kept.
    DailyBudget dayAhead;
    dayAhead.load({"2026-12-09", 2, 600, minuteNumber({2026, 12, 10, 4, 0})}, 4);
    EXPECT_FALSE(dayAhead.follow({2026, 12, 8, 20}, 4, false).changed);
    EXPECT_EQ(dayAhead.name(), "2026-12-09");
    // Two days ahead (a clock that was a month ahead, now right): today, with its counts.
    DailyBudget twoAhead;
    twoAhead.load({"2026-12-10", 2, 600}, 4);
    EXPECT_TRUE(twoAhead.follow({2026, 12, 8, 20}, 4, false).changed);
    EXPECT_EQ(twoAhead.name(), "2026-12-08");
    EXPECT_EQ(twoAhead.matches(), 2);
    EXPECT_EQ(momentName(*twoAhead.end()), "2026-12-09 04:00");
    // An end written a month ahead of a day named right is a wrong clock's too.
    DailyBudget endAhead;
    endAhead.load({"2026-12-08", 1, 60, minuteNumber({2027, 1, 8, 4, 0})}, 4);
    EXPECT_TRUE(endAhead.follow({2026, 12, 8, 20}, 4, false).changed);
    EXPECT_EQ(momentName(*endAhead.end()), "2026-12-09 04:00");
}

TEST(DailyBudget, LoweringTheStartHourLateAtNightKeepsTheDayUntilThatHourTheNextNight) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    // At 02:00 with days starting at 4, the day in progress is yesterday's.
    EXPECT_FALSE(day.follow({2026, 12, 9, 2}, 4, false).changed);
    EXPECT_EQ(day.name(), "2026-12-08");
    // Days now start at 1: the day goes on, its counts kept, until 01:00 the next night.
    EXPECT_TRUE(day.follow({2026, 12, 9, 2}, 1, false).changed);
    EXPECT_EQ(day.matches(), 2);
    EXPECT_EQ(momentName(*day.end()), "2026-12-10 01:00");
    EXPECT_FALSE(day.follow({2026, 12, 10, 0}, 1, false).changed);
    EXPECT_EQ(day.matches(), 2);
    day.follow({2026, 12, 10, 1}, 1, false);
    EXPECT_EQ(day.name(), "2026-12-10");
    EXPECT_EQ(day.matches(), 0);
}

TEST(DailyBudget, RaisingTheStartHourEndsTheDayTheNextTimeTheClockReachesIt) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    day.follow({2026, 12, 8, 20}, 4, false);
    // Typed 21, then 4 again, at 20:00: the day and its counts stay.
    EXPECT_TRUE(day.follow({2026, 12, 8, 20}, 21, false).changed);
    EXPECT_EQ(day.matches(), 2);
    EXPECT_TRUE(day.follow({2026, 12, 8, 20}, 4, false).changed);
    EXPECT_EQ(day.name(), "2026-12-08");
    EXPECT_EQ(day.matches(), 2);
    // Typed 21 for good: the day ends at 21:00, and the next day has the same date.
    day.follow({2026, 12, 8, 20}, 21, false);
    EXPECT_FALSE(day.follow({2026, 12, 8, 20}, 21, false).changed);
    EXPECT_EQ(day.matches(), 2);
    const DayFollowed atNine = day.follow({2026, 12, 8, 21}, 21, false);
    ASSERT_TRUE(atNine.ended.has_value());
    EXPECT_EQ(atNine.ended->day, "2026-12-08");
    EXPECT_EQ(day.name(), "2026-12-08");
    EXPECT_EQ(day.matches(), 0);
    EXPECT_EQ(momentName(*day.end()), "2026-12-09 21:00");
}

TEST(DailyBudget, AStartHourChangedToTheHourTheClockIsInKeepsTheDayUntilThatHourTomorrow) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    day.follow({2026, 12, 8, 20, 30}, 20, false);
    EXPECT_EQ(momentName(*day.end()), "2026-12-09 20:00");
    EXPECT_EQ(day.matches(), 2);
}

TEST(DailyBudget, AStartHourChangedTwiceBeforeTheClockGetsThereEndsAtTheLastOne) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    day.follow({2026, 12, 8, 19}, 21, false);
    day.follow({2026, 12, 8, 20}, 22, false);
    EXPECT_EQ(momentName(*day.end()), "2026-12-08 22:00");
    day.follow({2026, 12, 8, 21, 30}, 22, false);
    EXPECT_EQ(day.matches(), 2) << "21:00 is no end any more";
    day.follow({2026, 12, 8, 22}, 22, false);
    EXPECT_EQ(day.matches(), 0);
}

TEST(DailyBudget, ALoadUnderAnotherStartHourKeepsTheSavedEndOrMovesIt) {
    // Saved under 4, read under 1 at 02:00: the change is seen at the load.
    DailyBudget day;
    day.load({"2026-12-08", 2, 600, minuteNumber({2026, 12, 9, 4, 0})}, 1);
    EXPECT_TRUE(day.follow({2026, 12, 9, 2}, 1, false).changed);
    EXPECT_EQ(day.matches(), 2);
    EXPECT_EQ(momentName(*day.end()), "2026-12-10 01:00");
    // Three numbers alone end at the first start hour in force after the day began.
    DailyBudget old;
    old.load({"2026-12-08", 2, 600}, 1);
    EXPECT_EQ(momentName(*old.end()), "2026-12-09 01:00");
    // An end before the day began is none.
    DailyBudget edited;
    edited.load({"2026-12-08", 2, 600, minuteNumber({2026, 12, 1, 4, 0})}, 4);
    EXPECT_EQ(momentName(*edited.end()), "2026-12-09 04:00");
}

TEST(DailyBudget, ARestartAfterTheDaysEndPassedWhileTheGameWasClosedEndsIt) {
    DailyBudget day;
    day.load({"2026-12-08", 3, 900, minuteNumber({2026, 12, 8, 21, 0}), true}, 21);
    const DayFollowed next = day.follow({2026, 12, 11, 12}, 21, false);
    ASSERT_TRUE(next.ended.has_value());
    EXPECT_EQ(next.ended->day, "2026-12-08");
    EXPECT_TRUE(next.ended->historyKept);
    EXPECT_TRUE(next.changed);
    EXPECT_EQ(day.name(), "2026-12-10");
    EXPECT_EQ(day.matches(), 0);
}

TEST(DailyBudget, TheDayRemembersAHistoryKeptAtAnyMomentOfIt) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    EXPECT_FALSE(day.follow({2026, 12, 8, 20}, 4, false).changed);
    EXPECT_TRUE(day.follow({2026, 12, 8, 21}, 4, true).changed);
    EXPECT_FALSE(day.follow({2026, 12, 8, 22}, 4, false).changed);
    EXPECT_EQ(encodeDay(day.save()), "2026-12-08,2,600,2026-12-09 04:00,history");
    const DayFollowed next = day.follow({2026, 12, 9, 5}, 4, false);
    ASSERT_TRUE(next.ended.has_value());
    EXPECT_TRUE(next.ended->historyKept);
    EXPECT_EQ(encodeDay(day.save()), "2026-12-09,0,0,2026-12-10 04:00") << "the next is new";
}

TEST(DailyBudget, AStartHourChangedAfterTheDayEndedStartsTheNextDayFirst) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    day.follow({2026, 12, 8, 22}, 4, false);
    // Not looked at again until 05:00 the next morning, when 1 is seen in place of 4: the day
    // of the 8th ended at 04:00, before the change was seen.
    day.follow({2026, 12, 9, 5}, 1, false);
    EXPECT_EQ(day.name(), "2026-12-09");
    EXPECT_EQ(day.matches(), 0);
}

TEST(DailyBudget, ThePagesViewChangesNothing) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    day.follow({2026, 12, 8, 22}, 4, false);
    const DailyBudget tomorrow = day.at({2026, 12, 9, 5}, 4);
    EXPECT_EQ(tomorrow.matches(), 0);
    EXPECT_EQ(day.name(), "2026-12-08");
    EXPECT_EQ(day.matches(), 2);
}

TEST(DailyBudget, MatchesAreHeldAt255AndSecondsAtAWholeDay) {
    DailyBudget day;
    day.load({"2026-12-08", 254, kSecondsInADay - 1}, 4);
    day.countMatch();
    day.countMatch();
    EXPECT_EQ(day.matches(), 255);
    day.countSecond();
    day.countSecond();
    EXPECT_EQ(day.seconds(), kSecondsInADay);
}

TEST(DailyBudget, AMinuteOfPlayWaitsToBeSavedAndASaveStartsItAgain) {
    DailyBudget day;
    day.follow({2026, 12, 8, 12}, 4, false);
    for (int second = 1; second < 60; ++second) {
        EXPECT_FALSE(day.countSecond()) << second;
    }
    EXPECT_TRUE(day.countSecond());
    const SavedDay saved = day.save();
    EXPECT_EQ(encodeDay(saved), "2026-12-08,0,60,2026-12-09 04:00");
    EXPECT_FALSE(day.countSecond());
}

TEST(DailyBudget, TheTicksOfAMatchAlreadyCountedCountNothing) {
    DailyBudget day;
    const std::uint32_t first = day.startTiming();
    EXPECT_TRUE(day.timing(first));
    EXPECT_TRUE(day.stopTiming());
    EXPECT_FALSE(day.timing(first));
    EXPECT_FALSE(day.stopTiming());
    const std::uint32_t second = day.startTiming();
    EXPECT_FALSE(day.timing(first));
    EXPECT_TRUE(day.timing(second));
}

TEST(DailyBudget, SpentAtEitherLimitOrWithOneMoreMatch) {
    DailyBudget day;
    day.load({"2026-12-08", 1, 599}, 4);
    EXPECT_FALSE(day.spent({}, true));
    EXPECT_FALSE(day.spent({2, 0}, false));
    EXPECT_TRUE(day.spent({2, 0}, true));
    EXPECT_FALSE(day.spent({0, 10}, false));
    day.countSecond();
    EXPECT_TRUE(day.spent({0, 10}, false));
    EXPECT_FALSE(DayLimits{}.on());
    EXPECT_TRUE((DayLimits{0, 1}).on());
}

TEST(DailyBudget, TheDayThatEndsWithPlayIsToldSoAHistoryCanKeepIt) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    EXPECT_FALSE(day.follow({2026, 12, 8, 22}, 4, false).ended.has_value());
    const DayFollowed next = day.follow({2026, 12, 9, 5}, 4, false);
    ASSERT_TRUE(next.ended.has_value());
    EXPECT_EQ(encodeDay(*next.ended), "2026-12-08,2,600");
    const DayFollowed empty = day.follow({2026, 12, 10, 5}, 4, false);
    EXPECT_FALSE(empty.ended.has_value()) << "a day without play";
    EXPECT_FALSE(empty.changed) << "nothing to save: a restart names it the same way";
}
