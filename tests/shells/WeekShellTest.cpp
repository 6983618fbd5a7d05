// The week's shell with no host, joined to the day's as the match flow joins them: the day's
// shell asked first at each kick-off, second and match's end, then the week's.
#include <gtest/gtest.h>

#include "DayShell.h"
#include "FakeServices.h"
#include "HeadsUpTexts.h"
#include "Settings.h"
#include "WeekShell.h"

namespace {

struct Week {
    FakeServices services;
    DayShell day{services};
    WeekShell week{services, day};

    KickOffOutlook kickOff() {
        KickOffOutlook outlook;
        day.kickOff(outlook);
        week.kickOff(outlook);
        return outlook;
    }
    void play(int seconds) {
        for (int each = 0; each < seconds; ++each) {
            services.tick();
            if (day.followingClock()) {
                day.secondOfPlay();
            }
            if (week.followingClock()) {
                week.secondOfPlay();
            }
        }
    }
    // Whether the week's shell asks for the leave.
    bool matchEnded() {
        static_cast<void>(day.matchEnded());
        return week.matchEnded();
    }
    void nextDay(int date) {
        services.clock.day = date;
        services.clock.hour = 20;
        day.look();
    }
};

}  // namespace

TEST(WeekShell, OffItCountsNothingAndTheDayIsNotCountedForIt) {
    Week w;
    EXPECT_FALSE(w.week.on());
    EXPECT_FALSE(w.day.on());
    EXPECT_FALSE(w.kickOff().weekEndsWhatever);
    EXPECT_FALSE(w.week.followingClock());
    w.play(60);
    EXPECT_FALSE(w.matchEnded());
    EXPECT_EQ(w.services.text(setting::savedDay), "");
}

TEST(WeekShell, TheWeeksMatchesAcrossDaysMakeTheLastKnownAtItsKickOff) {
    Week w;
    w.services.set(setting::weeklyMatches, "3");
    w.services.clock = {2026, 12, 7, 20, 0};  // a Monday
    EXPECT_TRUE(w.day.on()) << "the week's days are counted and kept";
    EXPECT_FALSE(w.kickOff().weekEndsWhatever);
    w.play(30);
    EXPECT_FALSE(w.matchEnded());
    w.nextDay(9);
    EXPECT_FALSE(w.kickOff().weekEndsWhatever);
    w.play(30);
    EXPECT_FALSE(w.matchEnded());
    EXPECT_EQ(w.services.text(setting::savedHistory), "2026-12-07,1,30");
    w.nextDay(13);  // Sunday
    EXPECT_TRUE(w.kickOff().weekEndsWhatever) << "the third of three";
    w.play(30);
    EXPECT_TRUE(w.matchEnded());
    EXPECT_TRUE(w.services.headsUps.empty()) << "the shell says nothing at a kick-off itself";
    // Monday at the start hour: a new week.
    w.services.clock = {2026, 12, 14, 4, 0};
    w.day.look();
    EXPECT_FALSE(w.kickOff().weekEndsWhatever);
}

TEST(WeekShell, TheMinutesRunningOutInAMatchAreSaidOnceAndEndTheSessionAfterIt) {
    Week w;
    w.services.set(setting::weeklyMinutes, "2");
    EXPECT_FALSE(w.kickOff().weekEndsWhatever);
    w.play(119);
    EXPECT_TRUE(w.services.headsUps.empty());
    w.play(80);
    EXPECT_EQ(w.services.headsUps, std::vector<std::string>{headsUpText::kThisWeeksTimeIsUp});
    EXPECT_TRUE(w.matchEnded());
    EXPECT_TRUE(w.kickOff().weekEndsWhatever);
    w.play(10);
    EXPECT_EQ(w.services.headsUps.size(), 1U) << "spent at the kick-off: nothing more to say";
}

TEST(WeekShell, ALimitSetInAMatchIsHeldAgainstTheWeekFromItsNextSecond) {
    Week w;
    w.services.set(setting::weeklyMatches, "50");
    static_cast<void>(w.kickOff());
    w.play(200);
    w.services.set(setting::weeklyMinutes, "3");
    w.play(1);
    EXPECT_EQ(w.services.headsUps, std::vector<std::string>{headsUpText::kThisWeeksTimeIsUp})
        << "the week is spent the moment the lower limit is set, and the match is the last";
    w.services.set(setting::weeklyMinutes, "0");
    w.services.set(setting::weeklyMatches, "0");
    EXPECT_FALSE(w.matchEnded()) << "a limit taken away before the match ends asks no leave";
}

TEST(WeekShell, AWeekSetDuringAMatchTheDayTimesIsSaidAsSoonAsItIsPlayedPast) {
    Week w;
    w.services.set(setting::keepHistory, "1");  // the day times the match; the week is off
    EXPECT_FALSE(w.kickOff().weekEndsWhatever);
    w.play(200);
    EXPECT_TRUE(w.services.headsUps.empty());
    w.services.set(setting::weeklyMinutes, "5");
    w.play(1);
    EXPECT_TRUE(w.services.headsUps.empty()) << "201 seconds of the week's 300";
    w.services.set(setting::weeklyMinutes, "3");
    w.play(1);
    EXPECT_EQ(w.services.headsUps, std::vector<std::string>{headsUpText::kThisWeeksTimeIsUp});
    EXPECT_TRUE(w.matchEnded());
}
