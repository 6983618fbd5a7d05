// The week's arithmetic: which days make the week of a day, across a year's end and before 1970,
// and its play with the day in progress, under a start hour changed mid-week and a clock set back.
#include <gtest/gtest.h>

#include "Calendar.h"
#include "DailyBudget.h"
#include "History.h"
#include "WeeklyBudget.h"

namespace {

std::string mondayName(const std::string& day) {
    return dayAfter(day, static_cast<int>(mondayOf(dayNumber(day)) - dayNumber(day)));
}

}  // namespace

TEST(WeeklyBudget, AWeekRunsFromMondayToSundayAcrossAYearsEndAndBefore1970) {
    EXPECT_EQ(mondayName("2026-12-07"), "2026-12-07");  // a Monday is its own week's first day
    EXPECT_EQ(mondayName("2026-12-13"), "2026-12-07");  // Sunday is the last
    EXPECT_EQ(mondayName("2026-12-14"), "2026-12-14");
    EXPECT_EQ(mondayName("2027-01-01"), "2026-12-28");  // a Friday across the year's end
    EXPECT_EQ(mondayName("2024-03-03"), "2024-02-26");  // across a leap day
    EXPECT_EQ(mondayName("1970-01-01"), "1969-12-29");
    EXPECT_EQ(mondayName("1969-12-28"), "1969-12-22");
    EXPECT_EQ(mondayName("0001-01-03"), "0001-01-01");
}

TEST(WeeklyBudget, SpentAtEitherLimitOrWithOneMoreMatch) {
    const WeekLimits none;
    EXPECT_FALSE(none.on());
    EXPECT_FALSE(weekSpent({1000, 1'000'000}, none, true));
    WeekLimits limits;
    limits.matches = 5;
    EXPECT_FALSE(weekSpent({3, 0}, limits, true));
    EXPECT_TRUE(weekSpent({4, 0}, limits, true));
    EXPECT_FALSE(weekSpent({4, 0}, limits, false));
    limits.minutes = 10080;
    EXPECT_FALSE(weekMinutesSpent({0, 10080 * 60 - 1}, limits));
    EXPECT_TRUE(weekMinutesSpent({0, 10080 * 60}, limits));
}

TEST(WeeklyBudget, TheWeekSoFarIsItsDaysFromMondayAndTodayNothingBefore) {
    History history =
        History::decode("2026-12-06,9,9000;2026-12-07,1,600;2026-12-09,2,1200", "2026-12-12");
    const PlayTotals week = history.weekSoFar({"2026-12-12", 1, 60});
    EXPECT_EQ(week.matches, 4);
    EXPECT_EQ(week.seconds, 1860);
    // Kept between seconds, and worked out again when a day is added.
    EXPECT_EQ(history.thisWeek({"2026-12-12", 1, 60}).seconds, 1860);
    history.add({"2026-12-11", 1, 300}, "2026-12-12");
    EXPECT_EQ(history.thisWeek({"2026-12-12", 1, 60}).seconds, 2160);
    // A day kept under today's name (two days of one date) is this week's too.
    history.add({"2026-12-12", 1, 40}, "2026-12-12");
    EXPECT_EQ(history.thisWeek({"2026-12-12", 1, 60}).matches, 6);
    // The next Monday starts from nothing.
    EXPECT_EQ(history.thisWeek({"2026-12-14", 0, 0}).matches, 0);
    // Across a year's end: Monday 2026-12-28 to Sunday 2027-01-03.
    const History newYear = History::decode("2026-12-27,1,60;2026-12-29,1,60", "2027-01-02");
    EXPECT_EQ(newYear.weekSoFar({"2027-01-02", 1, 60}).matches, 2);
}

TEST(WeeklyBudget, AClockSetBackOnMondayMorningLeavesTheNewWeek) {
    DailyBudget day;
    day.load({}, 4);
    History history;
    // Sunday evening's play, then Monday's first minutes.
    static_cast<void>(day.follow({2026, 12, 13, 21, 0}, 4, true));
    day.countMatch();
    const DayFollowed monday = day.follow({2026, 12, 14, 6, 0}, 4, true);
    ASSERT_TRUE(monday.ended);
    history.add(*monday.ended, day.name());
    // The clock goes back to Sunday night: Monday is the day in progress still, and so its week.
    static_cast<void>(day.follow({2026, 12, 13, 23, 0}, 4, true));
    EXPECT_EQ(day.name(), "2026-12-14");
    EXPECT_EQ(history.thisWeek({day.name(), day.matches(), day.seconds()}).matches, 0);
}

TEST(WeeklyBudget, AStartHourChangedMidWeekMovesOnlyTheDaysEndsNotTheWeeksDays) {
    DailyBudget day;
    day.load({}, 4);
    History history;
    static_cast<void>(day.follow({2026, 12, 13, 22, 0}, 4, true));  // Sunday's day
    day.countMatch();
    // Days start at 2 now: Sunday's day ends at Monday 02:00, and Monday 03:00 is Monday's.
    static_cast<void>(day.follow({2026, 12, 14, 1, 0}, 2, true));
    EXPECT_EQ(day.name(), "2026-12-13");
    const DayFollowed next = day.follow({2026, 12, 14, 3, 0}, 2, true);
    ASSERT_TRUE(next.ended);
    history.add(*next.ended, day.name());
    EXPECT_EQ(day.name(), "2026-12-14");
    EXPECT_EQ(history.thisWeek({day.name(), day.matches(), day.seconds()}).matches, 0);
    EXPECT_EQ(history.weekSoFar({"2026-12-13", 0, 0}).matches, 1);
}
