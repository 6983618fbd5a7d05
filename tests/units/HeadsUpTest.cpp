// Which heads-up shows: the slot's newest text, the order of the kick-off's heads-ups, and the
// session timer's as its limit nears.
#include <gtest/gtest.h>

#include <string>

#include "HeadsUpSlot.h"
#include "HeadsUpTexts.h"
#include "KickOffHeadsUp.h"
#include "SessionTimer.h"

namespace {

std::string textOf(const char* text) {
    return text != nullptr ? text : "none";
}

}  // namespace

TEST(HeadsUpSlot, ANewerHeadsUpReplacesAnOlderOneWhoseEndCannotCutItShort) {
    HeadsUpSlot slot;
    EXPECT_EQ(slot.text(), nullptr);
    const std::uint32_t first = slot.show(headsUpText::kLastGame);
    const std::uint32_t second = slot.show(headsUpText::kLimitReached);
    EXPECT_EQ(slot.shown(), 2U);
    slot.expire(first);
    EXPECT_EQ(textOf(slot.text()), headsUpText::kLimitReached);
    slot.expire(second);
    EXPECT_EQ(slot.text(), nullptr);
    slot.show(headsUpText::kTimeIsUp);
    slot.clear();
    EXPECT_EQ(slot.text(), nullptr);
}

TEST(KickOffHeadsUp, ARuleThatEndsTheSessionWhateverTheResultSpeaksBeforeALossOnlyRule) {
    KickOffOutlook outlook;
    EXPECT_EQ(kickOffHeadsUp(outlook), nullptr);
    outlook.streakEndsWithALoss = true;
    EXPECT_EQ(textOf(kickOffHeadsUp(outlook)), headsUpText::kOneMoreLossInARow);
    // The count rule's loss comes before the streak's, as both only end it with a loss.
    outlook.count.endsWithALoss = true;
    EXPECT_EQ(textOf(kickOffHeadsUp(outlook)), headsUpText::kOneMoreLoss);
    // The day's last match ends it whatever its result: that is what the player must hear.
    outlook.dayEndsWhatever = true;
    EXPECT_EQ(textOf(kickOffHeadsUp(outlook)), headsUpText::kLastGameToday);
    outlook.dayEndsWhatever = false;
    outlook.count.endsWithAWin = true;
    EXPECT_EQ(textOf(kickOffHeadsUp(outlook)), headsUpText::kLastGame);
    // Both end it whatever the result: the day's budget is one of them.
    outlook.dayEndsWhatever = true;
    EXPECT_EQ(textOf(kickOffHeadsUp(outlook)), headsUpText::kLastGameToday);
}

TEST(KickOffHeadsUp, TheWeeksLastMatchIsNamedAfterTheDaysAndBeforeTheTimerOrACountLimit) {
    KickOffOutlook outlook;
    outlook.weekEndsWhatever = true;
    EXPECT_EQ(textOf(kickOffHeadsUp(outlook)), headsUpText::kLastGameThisWeek);
    outlook.timerEndsWhatever = true;
    outlook.count.endsWithAWin = true;
    outlook.count.endsWithALoss = true;
    EXPECT_EQ(textOf(kickOffHeadsUp(outlook)), headsUpText::kLastGameThisWeek);
    outlook.dayEndsWhatever = true;
    EXPECT_EQ(textOf(kickOffHeadsUp(outlook)), headsUpText::kLastGameToday);
    outlook.bedtimeEndsWhatever = true;
    EXPECT_EQ(textOf(kickOffHeadsUp(outlook)), headsUpText::kPastBedtime);
}

TEST(SessionTimer, SecondsRollIntoMinutesAndTheLimitIsMetAtOrPastIt) {
    std::int32_t minutes = 0;
    std::int32_t seconds = -1;
    EXPECT_FALSE(countTimerSecond(minutes, seconds));
    EXPECT_EQ(seconds, 0);
    seconds = 58;
    EXPECT_FALSE(countTimerSecond(minutes, seconds));
    EXPECT_TRUE(countTimerSecond(minutes, seconds));
    EXPECT_EQ(minutes, 1);
    EXPECT_EQ(seconds, 0);
    EXPECT_TRUE(timerLimitReached(1, 1));
    EXPECT_TRUE(timerLimitReached(0, 0));
    EXPECT_TRUE(timerLimitReached(0, -5));
    EXPECT_FALSE(timerLimitReached(0, 1));
}

TEST(SessionTimer, WarnsFiveMinutesAndOneMinuteBeforeLimitsLongEnoughForThem) {
    EXPECT_EQ(textOf(timeLeftHeadsUp(1, 6)), headsUpText::kFiveMinutesLeft);
    EXPECT_EQ(textOf(timeLeftHeadsUp(5, 6)), headsUpText::kOneMinuteLeft);
    EXPECT_EQ(textOf(timeLeftHeadsUp(2, 6)), "none");
    EXPECT_EQ(textOf(timeLeftHeadsUp(0, 5)), "none");
    EXPECT_EQ(textOf(timeLeftHeadsUp(1, 2)), headsUpText::kOneMinuteLeft);
    EXPECT_EQ(textOf(timeLeftHeadsUp(0, 1)), "none");
    EXPECT_EQ(textOf(timeLeftHeadsUp(0, std::numeric_limits<std::int32_t>::min())), "none");
}
