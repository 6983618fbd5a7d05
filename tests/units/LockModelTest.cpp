// The random player's own model of the lock, driven directly: which way each limit loosens as the
// README tells it, and what is put back. A wrong model here would pass a wrong plug-in.
#include <gtest/gtest.h>

#include "LockModel.h"

using randomPlay::LockModel;

namespace {

LockModel locked() {
    LockModel lock;
    lock.take({{"numOfGames", "3"},
               {"lossStreakLimit", "0"},
               {"dailyMatches", "4"},
               {"bedtime", " 23:30 "},
               {"dayStartsAt", "4"},
               {"enableSundown", "1"},
               {"keepSessionOnRestart", "0"},
               {"enableByNumOption", "Game Count"}},
              4);
    return lock;
}

}  // namespace

TEST(LockModel, EachLimitLoosensItsOwnWay) {
    LockModel lock = locked();
    EXPECT_TRUE(lock.loosens("numOfGames", "4"));
    EXPECT_FALSE(lock.loosens("lossStreakLimit", "5")) << "set where there was none";
    EXPECT_TRUE(lock.loosens("lossStreakLimit", "0"));
    EXPECT_TRUE(lock.loosens("lossStreakLimit", "6"));
    EXPECT_TRUE(lock.loosens("dailyMatches", "0"));
    EXPECT_TRUE(lock.loosens("dayStartsAt", "3")) << "an earlier start hour is a change too";
    EXPECT_TRUE(lock.loosens("enableSundown", "0"));
    EXPECT_FALSE(lock.loosens("keepSessionOnRestart", "1"));
    EXPECT_TRUE(lock.loosens("keepSessionOnRestart", "0")) << "kept on once turned on";
    EXPECT_TRUE(lock.loosens("enableByNumOption", "Lose Count"));
}

TEST(LockModel, ABedtimeLoosensLaterInTheNightAndIsPutBackAsHoursAndMinutes) {
    LockModel lock = locked();
    EXPECT_EQ(lock.kept("bedtime"), "23:30");
    EXPECT_TRUE(lock.loosens("bedtime", "00:30"));
    EXPECT_TRUE(lock.loosens("bedtime", ""));
    EXPECT_TRUE(lock.loosens("bedtime", "04:00")) << "at the start hour: no night";
    EXPECT_FALSE(lock.loosens("bedtime", "22:00"));
    EXPECT_TRUE(lock.loosens("bedtime", "23:30")) << "earlier was kept";
    EXPECT_EQ(lock.keptLine("bedtime"), "Sundown: locked until 04:00, bedtime kept at 22:00");
}

TEST(LockModel, NothingLoosensOnceTheLockHasEnded) {
    LockModel lock = locked();
    lock.end();
    EXPECT_FALSE(lock.held());
    EXPECT_FALSE(lock.loosens("numOfGames", "40"));
}
