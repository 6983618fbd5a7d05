// A fortnight at a glance, for the player who keeps a history: each day's online play kept as the
// day ends, drawn as a chart from numbers kept between frames.
#include <gtest/gtest.h>

#include "DayShell.h"
#include "HostFixture.h"
#include "WallTime.h"

namespace {

struct HistoryHost : PluginHost {
    HistoryHost() { set("keepHistory", "1"); }
    void clock(const char* date, const char* time) {
        world.setWallClock(*parseWallTime(date, time));
    }
    // A whole online match of `minutes`, won.
    void playFor(double minutes) {
        startOnlineMatch();
        wait(minutes * 60);
        endMatch(Result::Win);
        destroyMatch();
    }
};

}  // namespace

TEST(History, EachDayWithPlayIsKeptAsItEndsAndDaysWithoutPlayAreLeftOut) {
    HistoryHost host;
    host.clock("2026-12-08", "20:00");
    host.playFor(5);
    host.clock("2026-12-10", "20:00");  // the 9th without play
    host.playFor(7);
    host.clock("2026-12-11", "20:00");
    host.playFor(1);
    EXPECT_EQ(host.var("savedHistory"), "2026-12-08,1,300;2026-12-10,1,420");
    const auto bars = host.sundown().day->history().minutesByDay({"2026-12-11", 1, 60});
    EXPECT_FLOAT_EQ(bars[13], 1.0F);
    EXPECT_FLOAT_EQ(bars[12], 7.0F);
    EXPECT_FLOAT_EQ(bars[11], 0.0F);
    EXPECT_FLOAT_EQ(bars[10], 5.0F);
}

TEST(History, TurnedOffNothingMoreIsCountedAndWhatWasSavedStays) {
    HistoryHost host;
    host.clock("2026-12-08", "20:00");
    host.playFor(5);
    host.clock("2026-12-09", "20:00");
    host.playFor(5);
    host.set("keepHistory", "0");
    host.clock("2026-12-10", "20:00");
    host.playFor(5);
    EXPECT_EQ(host.var("savedHistory"), "2026-12-08,1,300");
    EXPECT_EQ(host.var("savedDay"), "2026-12-09,1,300,2026-12-10 04:00,history");
    // On again: it goes on from there, the day kept while it was off counted as it ends.
    host.set("keepHistory", "1");
    host.playFor(5);
    EXPECT_EQ(host.var("savedHistory"), "2026-12-08,1,300;2026-12-09,1,300");
    EXPECT_EQ(host.var("savedDay"), "2026-12-10,1,300,2026-12-11 04:00,history");
}

TEST(History, ReadOnceAndDrawnFromWhatIsKeptNotFromTheTextAtEveryFrame) {
    HistoryHost host;
    host.restartWithSaved("savedHistory", "2026-12-07,2,1200");
    host.clock("2026-12-08", "20:00");
    host.drawPage();
    EXPECT_NE(host.pageText().find("Last 7 days: 2 matches, 20 minutes"), std::string::npos);
    host.set("savedHistory", "2026-12-07,9,5400");  // edited while the game runs
    host.drawPage(3);
    EXPECT_NE(host.pageText().find("Last 7 days: 2 matches, 20 minutes"), std::string::npos);
}

TEST(History, CountedWhateverTheMasterSwitchSaysAndWithNoDailyLimit) {
    HistoryHost host;
    host.clock("2026-12-08", "20:00");
    EXPECT_FALSE(host.sundown().enabled);
    host.playFor(3);
    host.playFor(3);
    EXPECT_EQ(host.var("savedDay"), "2026-12-08,2,360,2026-12-09 04:00,history");
    EXPECT_FALSE(host.world.game().quit());
    host.drawPage();
    EXPECT_NE(host.pageText().find("Today: matches 2, minutes 6"), std::string::npos);
}

TEST(History, TurnedOnDuringAnOnlineMatchItCountsThatMatch) {
    PluginHost host;
    host.world.setWallClock(*parseWallTime("2026-12-08", "20:00"));
    host.startOnlineMatch();
    host.wait(30);
    host.set("keepHistory", "1");
    host.wait(30);
    host.endMatch(Result::Win);
    EXPECT_EQ(host.sundown().day->today().matches(), 1);
}
