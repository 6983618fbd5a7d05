// The random player's own model of the session timer, driven directly: when a run's time is up,
// and what the quit does then. A wrong model here would pass a wrong plug-in.
#include <gtest/gtest.h>

#include "TimerModel.h"

using randomPlay::TimerModel;
using Outcome = TimerModel::Outcome;

namespace {

constexpr std::int64_t kSecond = 1'000'000;
constexpr std::int64_t kStart = 5 * kSecond + 123;  // a click lands inside a second

}  // namespace

TEST(TimerModel, AMinutesRunIsUpASecondAfterItShowsOneMinute) {
    TimerModel timer;
    EXPECT_EQ(timer.startOrStop(kStart, 1, false), Outcome::Nothing);
    // Shown 1:0 at 60 s; the next second finds the limit reached.
    EXPECT_EQ(timer.catchUp(kStart + 61 * kSecond, 1, false), Outcome::Nothing);
    EXPECT_EQ(timer.catchUp(kStart + 61 * kSecond + 1, 1, false), Outcome::QuitsNow);
    EXPECT_FALSE(timer.waits());
    // Up, it counts no more.
    EXPECT_EQ(timer.catchUp(kStart + 200 * kSecond, 1, false), Outcome::Nothing);
}

TEST(TimerModel, UpInAnOnlineGameTheQuitWaitsUntilCarriedOutOrCancelled) {
    TimerModel timer;
    timer.startOrStop(kStart, 1, true);
    EXPECT_EQ(timer.catchUp(kStart + 62 * kSecond, 1, true), Outcome::Waits);
    EXPECT_TRUE(timer.waits());
    timer.carriedOut();
    EXPECT_FALSE(timer.waits());

    TimerModel stopped;
    stopped.startOrStop(kStart, 1, true);
    stopped.catchUp(kStart + 62 * kSecond, 1, true);
    // Stopping the run whose time is up cancels the quit; the next click starts from 0:0.
    EXPECT_EQ(stopped.startOrStop(kStart + 70 * kSecond, 1, true), Outcome::Nothing);
    EXPECT_FALSE(stopped.waits());
    EXPECT_EQ(stopped.startOrStop(kStart + 80 * kSecond, 1, true), Outcome::Nothing);
    EXPECT_EQ(stopped.catchUp(kStart + 141 * kSecond + 1, 1, true), Outcome::Waits);
}

TEST(TimerModel, ALimitAtOrBelowTheMinutesShownEndsTheRunAtTheNextSecond) {
    TimerModel none;
    // A limit of 0 is reached by the first second, counted at the click itself.
    EXPECT_EQ(none.startOrStop(kStart, 0, false), Outcome::QuitsNow);

    TimerModel lowered;
    lowered.startOrStop(kStart, 30, true);
    EXPECT_EQ(lowered.catchUp(kStart + 150 * kSecond, 30, true), Outcome::Nothing);  // 2:29 shown
    EXPECT_EQ(lowered.catchUp(kStart + 151 * kSecond + 1, 2, true), Outcome::Waits);
}
