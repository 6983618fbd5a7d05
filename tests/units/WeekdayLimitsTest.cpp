// A day's limits by weekday, driven directly: which texts are seven numbers, which weekday a day
// of play has, and which limits a day takes.
#include <gtest/gtest.h>

#include "WeekdayLimits.h"

TEST(WeekdayLimits, OnlySevenReadableWholeNumbersAreALimitByWeekday) {
    const auto read = readWeekdayNumbers(" 60, 60 ,60,60,90,180,180 ", 1440);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(writeWeekdayNumbers(*read), "60,60,60,60,90,180,180");
    // Held to the daily limit's range.
    EXPECT_EQ(writeWeekdayNumbers(*readWeekdayNumbers("300,0,0,0,0,0,999999999", 255)),
              "255,0,0,0,0,0,255");
    for (const char* wrong :
         {"", "60,60,60,60,60,60", "1,2,3,4,5,6,7,", "1,2,3,4,5,6,7,8", "1,2,3,,5,6,7",
          "1,2,3,-4,5,6,7", "1,2,3,4x,5,6,7", "1;2;3;4;5;6;7", "1,2,3,4,5,6,1234567890"}) {
        EXPECT_FALSE(readWeekdayNumbers(wrong, 1440).has_value()) << '"' << wrong << '"';
    }
}

TEST(WeekdayLimits, ADayOfPlayHasTheWeekdayOfTheDateItIsNamedBy) {
    EXPECT_EQ(weekdayOf("2026-12-08"), 1);  // a Tuesday
    EXPECT_EQ(weekdayOf("1970-01-01"), 3);  // a Thursday
    EXPECT_EQ(weekdayOf("1969-12-29"), 0);  // a Monday, before day 0
    EXPECT_EQ(weekdayOf("0001-01-01"), 0);
    EXPECT_EQ(weekdayOf("2028-02-29"), 1);
    EXPECT_EQ(weekdayOf("2026-12-13"), 6);  // a Sunday: the last of the week
    EXPECT_FALSE(weekdayOf("2026-02-30").has_value());
    EXPECT_FALSE(weekdayOf("").has_value());
    EXPECT_STREQ(weekdayName(1), "Tue");
    EXPECT_STREQ(weekdayName(7), "");
}

TEST(WeekdayLimits, ADayTakesItsWeekdaysLimitsWhereTheyAreSetAndTheDailyOnesElse) {
    const DayLimits daily{3, 90};
    const WeekdayNumbers matches{5, 2, 5, 5, 5, 5, 0};
    const DayLimits tuesday = limitsOn("2026-12-08", daily, std::nullopt, matches);
    EXPECT_EQ(tuesday.matches, 2);
    EXPECT_EQ(tuesday.minutes, 90) << "no minutes by weekday: the daily ones";
    const DayLimits sunday = limitsOn("2026-12-13", daily, std::nullopt, matches);
    EXPECT_EQ(sunday.matches, 0) << "0 is no limit that day, not the daily one";
    EXPECT_TRUE(sunday.on());
    const DayLimits unnamed = limitsOn("", daily, std::nullopt, matches);
    EXPECT_EQ(unnamed.matches, 3) << "before the day is known, the daily limits";
}
