// The history of online play, driven directly: what any saved text reads as, days added as they
// end, fourteen days rolling, and the chart's and the week's numbers.
#include <gtest/gtest.h>

#include <string>

#include "History.h"

TEST(History, AnySavedTextIsReadAsFarAsItGoes) {
    const std::string today = "2026-12-08";
    EXPECT_EQ(History::decode("", today).encode(), "");
    EXPECT_EQ(History::decode("2026-12-07,2,600", today).encode(), "2026-12-07,2,600");
    // Out of order, repeated, unreadable, later than today, without play, counts out of range.
    EXPECT_EQ(History::decode("2026-12-07,2,600;2026-12-01,1,60;2026-12-07,1,60;x;2099-01-01,1,1;"
                              "2026-12-02,0,0;2026-12-03,300,999999;2026-13-01,1,1;;,,",
                              today)
                  .encode(),
              "2026-12-01,1,60;2026-12-03,255,86400;2026-12-07,3,660");
    // Cut short: a day with a date and no counts has no play.
    EXPECT_EQ(History::decode("2026-12-06,4,2400;2026-12-07", today).encode(), "2026-12-06,4,2400");
    // Older than fourteen days before today.
    EXPECT_EQ(History::decode("2026-11-23,1,60;2026-11-24,1,60", today).encode(),
              "2026-11-24,1,60");
    // Ten thousand characters of anything.
    EXPECT_EQ(History::decode(std::string(10'000, '9'), today).encode(), "");
    EXPECT_EQ(History::decode(std::string(10'000, ';'), today).encode(), "");
}

TEST(History, DaysAreAddedAsTheyEndAndFourteenDaysRoll) {
    History history;
    history.add({"2026-12-01", 2, 600}, "2026-12-02");
    history.add({"2026-12-02", 0, 0}, "2026-12-03");  // a day without play adds nothing
    history.add({"2026-12-03", 1, 300}, "2026-12-04");
    EXPECT_EQ(history.encode(), "2026-12-01,2,600;2026-12-03,1,300");
    // A day renamed under another start hour ends with the name of a day already kept.
    history.add({"2026-12-03", 1, 60}, "2026-12-05");
    EXPECT_EQ(history.encode(), "2026-12-01,2,600;2026-12-03,2,360");
    // 2026-12-01 is fourteen days before the 15th, and still kept; on the 16th it goes.
    history.add({"2026-12-14", 1, 60}, "2026-12-15");
    EXPECT_EQ(history.days().size(), 3U);
    history.add({"2026-12-15", 1, 60}, "2026-12-16");
    EXPECT_EQ(history.encode(), "2026-12-03,2,360;2026-12-14,1,60;2026-12-15,1,60");
}

TEST(History, TheChartEndsWithTodayAndTheWeekCountsTodayAndSixDaysBefore) {
    const History history = History::decode(
        "2026-11-24,1,600;2026-11-25,1,120;2026-12-01,3,1800;2026-12-02,2,1210;2026-12-07,1,59",
        "2026-12-08");
    const SavedDay today{"2026-12-08", 1, 150};
    const auto bars = history.minutesByDay(today);
    EXPECT_FLOAT_EQ(bars[13], 2.5F);
    EXPECT_FLOAT_EQ(bars[12], 59.0F / 60.0F);
    EXPECT_FLOAT_EQ(bars[7], 1210.0F / 60.0F);
    EXPECT_FLOAT_EQ(bars[6], 30.0F);
    EXPECT_FLOAT_EQ(bars[0], 2.0F) << "thirteen days before today is the first bar";
    EXPECT_FLOAT_EQ(bars[1], 0.0F) << "fourteen days before today is kept, not drawn";
    const PlayTotals week = history.lastSevenDays(today);
    EXPECT_EQ(week.matches, 4);
    EXPECT_EQ(week.seconds, 150 + 59 + 1210);

    History kept = history;
    const auto& chart = kept.chart(today);
    EXPECT_FLOAT_EQ(chart[7], 1210.0F / 60.0F);
    EXPECT_FLOAT_EQ(kept.chart({"2026-12-08", 1, 240})[13], 4.0F) << "today's bar follows play";
    EXPECT_FLOAT_EQ(kept.chart({"2026-12-09", 0, 0})[6], 1210.0F / 60.0F) << "a new day moves all";
    const PlayTotals kept7 = kept.week(today);
    EXPECT_EQ(kept7.matches, week.matches);
    EXPECT_EQ(kept7.seconds, week.seconds);
    EXPECT_EQ(kept.week({"2026-12-08", 2, 400}).seconds, 400 + 59 + 1210) << "today's play follows";
}

TEST(History, ADayWrittenTwiceIsHeldToWhatADayCanHold) {
    EXPECT_EQ(History::decode("2026-12-05,200,60;2026-12-05,100,86400", "2026-12-08").encode(),
              "2026-12-05,255,86400");
}

TEST(History, ADayKeptUnderTodaysDateCountsForTodayInTheChartAndTheWeekAlike) {
    // Two days of one date: a start hour raised past the clock ended the first at that hour.
    History kept = History::decode("2026-12-07,1,60;2026-12-08,2,600", "2026-12-08");
    const SavedDay today{"2026-12-08", 1, 120};
    EXPECT_FLOAT_EQ(kept.chart(today)[13], 12.0F);
    EXPECT_FLOAT_EQ(kept.minutesByDay(today)[13], 12.0F);
    EXPECT_EQ(kept.week(today).seconds, 60 + 600 + 120);
    EXPECT_FLOAT_EQ(kept.chart({"2026-12-08", 1, 180})[13], 13.0F) << "today's play follows";
}

TEST(History, ADayThatEndsTrimsTheHistoryAgainstTodayNotAgainstItself) {
    History kept = History::decode("2026-11-22,1,60", "2026-11-30");
    // The clock moved on by days: the day that ended is the 30th, today the 8th.
    kept.add({"2026-11-30", 2, 120}, "2026-12-08");
    EXPECT_EQ(kept.encode(), "2026-11-30,2,120");
}
