// Bedtime's shell with no host: the watch of a match kicked off before the night, a match
// kicked off in it, and a bedtime set, cleared or unreadable during one.
#include <gtest/gtest.h>

#include "BedtimeShell.h"
#include "FakeServices.h"
#include "HeadsUpTexts.h"
#include "Settings.h"

namespace {

void play(BedtimeShell& bedtime, FakeServices& services, int seconds) {
    for (int each = 0; each < seconds; ++each) {
        services.tick();
        // The match flow's look, once a second while bedtime is on.
        if (bedtime.on()) {
            bedtime.look();
        }
    }
}

}  // namespace

TEST(BedtimeShell, TheNightBeginningInAMatchIsSaidOnceAndEndsTheSessionAfterIt) {
    FakeServices services;
    services.set(setting::bedtime, "22:30");
    services.clock = {2026, 12, 8, 22, 28};
    BedtimeShell bedtime(services);
    EXPECT_TRUE(bedtime.on());
    KickOffOutlook outlook;
    bedtime.kickOff(outlook);
    EXPECT_FALSE(outlook.bedtimeEndsWhatever);
    play(bedtime, services, 119);
    EXPECT_TRUE(services.headsUps.empty()) << "22:29:59 is before bedtime";
    play(bedtime, services, 1);
    EXPECT_EQ(services.headsUps, std::vector<std::string>{headsUpText::kBedtime});
    play(bedtime, services, 300);
    EXPECT_EQ(services.headsUps.size(), 1U);
    EXPECT_TRUE(bedtime.matchEnded());
    EXPECT_FALSE(bedtime.matchEnded()) << "no match: nothing to end";
}

TEST(BedtimeShell, AMatchKickedOffInTheNightIsTheLastAndIsNotWatched) {
    FakeServices services;
    services.set(setting::bedtime, "23:00");
    services.clock = {2026, 12, 9, 1, 30};
    BedtimeShell bedtime(services);
    KickOffOutlook outlook;
    bedtime.kickOff(outlook);
    EXPECT_TRUE(outlook.bedtimeEndsWhatever);
    EXPECT_FALSE(bedtime.followingClock());
    services.clock = {2026, 12, 9, 4, 10};
    EXPECT_TRUE(bedtime.matchEnded()) << "approved in the night: the last, whenever it ends";
}

TEST(BedtimeShell, WithoutABedtimeOrWithOneAtTheStartHourThereIsNoNight) {
    FakeServices services;
    for (const char* text : {"", "04:00", "25:00", "nonsense"}) {
        services.set(setting::bedtime, text);
        services.clock = {2026, 12, 9, 3, 59};
        BedtimeShell bedtime(services);
        EXPECT_FALSE(bedtime.on()) << text;
        KickOffOutlook outlook;
        bedtime.kickOff(outlook);
        EXPECT_FALSE(outlook.bedtimeEndsWhatever) << text;
        EXPECT_FALSE(bedtime.followingClock()) << text;
        EXPECT_FALSE(bedtime.matchEnded()) << text;
    }
}

TEST(BedtimeShell, ABedtimeSetDuringAMatchIsWatchedAndAShortNightEndsTheSession) {
    FakeServices services;
    services.clock = {2026, 12, 9, 3, 50};
    BedtimeShell bedtime(services);
    KickOffOutlook outlook;
    bedtime.kickOff(outlook);  // no bedtime yet
    play(bedtime, services, 60);
    services.set(setting::bedtime, "3:55");
    play(bedtime, services, 4 * 60 - 1);
    EXPECT_TRUE(services.headsUps.empty()) << "03:54:59 is before bedtime";
    play(bedtime, services, 1);
    EXPECT_EQ(services.headsUps, std::vector<std::string>{headsUpText::kBedtime});
    // The night ends at 04:00, the match at 04:05: the session still ends after it.
    play(bedtime, services, 10 * 60);
    EXPECT_TRUE(bedtime.matchEnded());
}

TEST(BedtimeShell, ClearingTheBedtimeDuringTheNightsMatchLiftsItForThatMatch) {
    FakeServices services;
    services.set(setting::bedtime, "22:30");
    services.clock = {2026, 12, 8, 23, 0};
    BedtimeShell bedtime(services);
    KickOffOutlook outlook;
    bedtime.kickOff(outlook);
    EXPECT_TRUE(outlook.bedtimeEndsWhatever);
    play(bedtime, services, 60);
    services.set(setting::bedtime, "");
    play(bedtime, services, 60);
    EXPECT_FALSE(bedtime.matchEnded());
}

TEST(BedtimeShell, AnUnreadableClockIsNoNight) {
    FakeServices services;
    services.set(setting::bedtime, "23:30");
    services.clockReadable = false;
    BedtimeShell bedtime(services);
    KickOffOutlook outlook;
    bedtime.kickOff(outlook);
    play(bedtime, services, 60);
    EXPECT_FALSE(outlook.bedtimeEndsWhatever);
    EXPECT_TRUE(services.headsUps.empty());
    EXPECT_FALSE(bedtime.matchEnded());
}
