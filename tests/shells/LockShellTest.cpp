// The lock's shell with no host: a lock read from "savedLock", limits loosened through the
// settings put back with their lines, the plug-in's own fields put back only when they were
// loosened, and the lock's end at the start hour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DayShell.h"
#include "FakeServices.h"
#include "LockShell.h"
#include "Settings.h"

namespace {

// The plug-in's side: its switch, its timer, and what the lock told and showed.
struct FakeHolder final : LockHolder {
    bool countRulesOn() const override { return switchOn; }
    bool timerRunning() const override { return false; }
    int countMode() const override { return 0; }
    void countSettingsPutBack() override { ++countSettingsReread; }
    void tell(const std::string& line) override { told.push_back(line); }
    void showLocked(const char* text) override { shown.emplace_back(text); }
    bool showingLocked() const override { return !shown.empty(); }

    bool switchOn = true;
    int countSettingsReread = 0;
    std::vector<std::string> told;
    std::vector<std::string> shown;
};

struct Locked {
    Locked() {
        services.clock = LocalTime{2026, 12, 9, 20, 0};
        services.set(setting::savedLock,
                     "2026-12-09;2026-12-10 04:00;1,0,3,1,2,0,0,0,0,4,0;23:30;;");
        services.set(setting::enableSundown, "1");
        services.set(setting::numOfGames, "3");
        services.set(setting::lossStreakLimit, "2");
        services.set(setting::bedtime, "23:30");
        lock.hold();
    }
    FakeServices services;
    FakeHolder holder;
    DayShell day{services};
    LockShell lock{services, holder, day};
};

}  // namespace

TEST(LockShell, ALoadedLockPutsBackWhatLoosenedAndTellsEachOne) {
    Locked locked;
    ASSERT_TRUE(locked.lock.held());
    EXPECT_TRUE(locked.holder.told.empty());
    locked.services.set(setting::lossStreakLimit, "9");
    locked.services.set(setting::bedtime, "");
    locked.lock.hold();
    EXPECT_EQ(locked.services.text(setting::lossStreakLimit), "2");
    EXPECT_EQ(locked.services.text(setting::bedtime), "23:30");
    EXPECT_EQ(locked.holder.told,
              (std::vector<std::string>{"Sundown: locked until 04:00, lossStreakLimit kept at 2",
                                        "Sundown: locked until 04:00, bedtime kept at 23:30"}));
    EXPECT_EQ(locked.holder.shown, (std::vector<std::string>{"Sundown: locked until 04:00"}));
    EXPECT_EQ(locked.holder.countSettingsReread, 0) << "none of the plug-in's fields loosened";
    locked.services.set(setting::numOfGames, "4");
    locked.lock.hold();
    EXPECT_EQ(locked.holder.countSettingsReread, 1);
}

TEST(LockShell, TheSwitchTurnedOffInThePlugInAloneIsPutBackToo) {
    Locked locked;
    locked.holder.switchOn = false;
    locked.lock.hold();
    EXPECT_EQ(locked.holder.told.back(), "Sundown: locked until 04:00, enableSundown kept at 1");
    EXPECT_EQ(locked.holder.countSettingsReread, 1);
    EXPECT_TRUE(locked.lock.refuses());
}

TEST(LockShell, AtTheStartHourTheLockEndsAndIsCleared) {
    Locked locked;
    locked.services.clock = LocalTime{2026, 12, 10, 4, 0};
    locked.lock.hold();
    EXPECT_FALSE(locked.lock.held());
    EXPECT_FALSE(locked.lock.refuses());
    EXPECT_EQ(locked.services.text(setting::savedLock), "");
    locked.services.set(setting::lossStreakLimit, "0");
    locked.lock.hold();
    EXPECT_EQ(locked.services.text(setting::lossStreakLimit), "0");
}

TEST(LockShell, AnUnreadableClockLeavesTheLockHeld) {
    Locked locked;
    locked.services.clockReadable = false;
    locked.services.set(setting::numOfGames, "10");
    locked.lock.hold();
    EXPECT_TRUE(locked.lock.held());
    EXPECT_EQ(locked.services.text(setting::numOfGames), "3");
}
