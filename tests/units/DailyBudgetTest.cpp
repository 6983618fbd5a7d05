// The day's budget and the calendar, driven directly: the day's name at the start hour's edges,
// counts at their ends, and the ticks of a match already counted.
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
    for (const char* name :
         {"2026-02-29", "2100-02-29", "2026-13-01", "2026-00-10", "2026-04-31", "2026-1-01",
          "2026-01-1", "2026/01/01", "2026-01-01x", "", "abcd-ef-gh", " 2026-01-01"}) {
        EXPECT_FALSE(isDayName(name)) << name;
    }
}

TEST(DailyBudget, ADayThatChangesStartsAtZeroAndTheSameDayKeepsItsCounts) {
    DailyBudget day;
    day.load({"2026-12-08", 4, 1830}, 4);
    EXPECT_TRUE(day.loaded());
    day.follow({2026, 12, 8, 20}, 4);
    EXPECT_EQ(day.matches(), 4);
    EXPECT_EQ(day.seconds(), 1830);
    day.follow({2026, 12, 9, 4}, 4);
    EXPECT_EQ(day.name(), "2026-12-09");
    EXPECT_EQ(day.matches(), 0);
    EXPECT_EQ(day.seconds(), 0);
}

TEST(DailyBudget, ADayNeverGoesBackWhenTheClockIsSetBack) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    // Set back across the start hour, and days back: still the day in progress.
    day.follow({2026, 12, 8, 3}, 4);
    EXPECT_EQ(day.name(), "2026-12-08");
    EXPECT_EQ(day.matches(), 2);
    day.follow({2026, 12, 1, 12}, 4);
    EXPECT_EQ(day.matches(), 2);
    // Forwards again, within the day: the same counts.
    day.follow({2026, 12, 9, 3}, 4);
    EXPECT_EQ(day.matches(), 2);
    EXPECT_EQ(day.seconds(), 600);
    // Forwards into a later day: afresh.
    day.follow({2026, 12, 10, 12}, 4);
    EXPECT_EQ(day.name(), "2026-12-10");
    EXPECT_EQ(day.matches(), 0);
}

TEST(DailyBudget, LoweringTheStartHourLateAtNightKeepsTheDayUntilThatHourTheNextNight) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    // At 02:00 with days starting at 4, the day in progress is yesterday's.
    EXPECT_FALSE(day.follow({2026, 12, 9, 2}, 4).renamed);
    EXPECT_EQ(day.name(), "2026-12-08");
    // Days now start at 1: the day goes on, its counts kept, named as 1 names the moment.
    EXPECT_TRUE(day.follow({2026, 12, 9, 2}, 1).renamed);
    EXPECT_EQ(day.name(), "2026-12-09");
    EXPECT_EQ(day.matches(), 2);
    day.follow({2026, 12, 10, 0}, 1);
    EXPECT_EQ(day.matches(), 2);
    // 01:00 the next night: a new day.
    day.follow({2026, 12, 10, 1}, 1);
    EXPECT_EQ(day.name(), "2026-12-10");
    EXPECT_EQ(day.matches(), 0);
}

TEST(DailyBudget, RaisingTheStartHourEndsTheDayTheNextTimeTheClockReachesIt) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    day.follow({2026, 12, 8, 20}, 4);
    // Typed 21, then 4 again, at 20:00: the day and its counts stay.
    EXPECT_TRUE(day.follow({2026, 12, 8, 20}, 21).renamed);
    EXPECT_EQ(day.matches(), 2);
    EXPECT_TRUE(day.follow({2026, 12, 8, 20}, 4).renamed);
    EXPECT_EQ(day.name(), "2026-12-08");
    EXPECT_EQ(day.matches(), 2);
    // Typed 21 for good: the day ends at 21:00.
    day.follow({2026, 12, 8, 20}, 21);
    day.follow({2026, 12, 8, 20}, 21);
    EXPECT_EQ(day.matches(), 2);
    day.follow({2026, 12, 8, 21}, 21);
    EXPECT_EQ(day.matches(), 0);
}

TEST(DailyBudget, AStartHourChangedAfterTheDayEndedStartsTheNextDayFirst) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    day.follow({2026, 12, 8, 22}, 4);
    // Not looked at again until 05:00 the next morning, when 1 is seen in place of 4: the day
    // of the 8th ended at 04:00, before the change was seen.
    day.follow({2026, 12, 9, 5}, 1);
    EXPECT_EQ(day.name(), "2026-12-09");
    EXPECT_EQ(day.matches(), 0);
}

TEST(DailyBudget, ThePagesViewChangesNothing) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    day.follow({2026, 12, 8, 22}, 4);
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
    day.follow({2026, 12, 8, 12}, 4);
    for (int second = 1; second < 60; ++second) {
        EXPECT_FALSE(day.countSecond()) << second;
    }
    EXPECT_TRUE(day.countSecond());
    const SavedDay saved = day.save();
    EXPECT_EQ(encodeDay(saved), "2026-12-08,0,60");
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

TEST(DailyBudget, ANameGoesBackOneDayFromTheLatestSeenAtTheMostSoNoEndedDayComesAfterIt) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    day.follow({2026, 12, 8, 10}, 4);
    EXPECT_TRUE(day.follow({2026, 12, 8, 10}, 12).renamed);
    EXPECT_EQ(day.name(), "2026-12-07");
    // The clock set back into the day so named, and the start hour raised again: no further back.
    EXPECT_FALSE(day.follow({2026, 12, 7, 13}, 20).renamed);
    EXPECT_EQ(day.name(), "2026-12-07");
    EXPECT_EQ(day.matches(), 2);
    // A day that ended, kept in a history, is the floor after a load too.
    DailyBudget loaded;
    loaded.load({"2026-12-07", 1, 60}, 12, "2026-12-07");
    loaded.follow({2026, 12, 8, 11}, 12);
    EXPECT_FALSE(loaded.follow({2026, 12, 8, 11}, 20).renamed) << "not before 2026-12-07";
    EXPECT_EQ(loaded.name(), "2026-12-07");
}

TEST(DailyBudget, TheDayThatEndsWithPlayIsToldSoAHistoryCanKeepIt) {
    DailyBudget day;
    day.load({"2026-12-08", 2, 600}, 4);
    EXPECT_FALSE(day.follow({2026, 12, 8, 22}, 4).ended.has_value());
    const DayFollowed next = day.follow({2026, 12, 9, 5}, 4);
    ASSERT_TRUE(next.ended.has_value());
    EXPECT_EQ(encodeDay(*next.ended), "2026-12-08,2,600");
    EXPECT_FALSE(day.follow({2026, 12, 10, 5}, 4).ended.has_value()) << "a day without play";
    std::optional<SavedDay> wouldEnd;
    day.countMatch();
    const DailyBudget later = day.at({2026, 12, 11, 5}, 4, &wouldEnd);
    ASSERT_TRUE(wouldEnd.has_value());
    EXPECT_EQ(wouldEnd->day, "2026-12-10");
    EXPECT_EQ(later.matches(), 0);
    EXPECT_EQ(day.matches(), 1) << "the page's view changes nothing";
}
