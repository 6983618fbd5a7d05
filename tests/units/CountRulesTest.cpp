// The count rules and the losing streak, driven directly: the limits' edges, counts at their
// ends, and what one more match would do.
#include <gtest/gtest.h>

#include "CountRules.h"
#include "LossStreak.h"

namespace {

constexpr std::int32_t kGames = 0;
constexpr std::int32_t kLosses = 1;
constexpr std::int32_t kRatio = 2;

}  // namespace

TEST(CountRules, ACountEqualToTheLimitMeetsItAndTheRatioMayGoBelowZero) {
    EXPECT_FALSE(countRuleMet(kGames, {2, 1, 1}, 3));
    EXPECT_TRUE(countRuleMet(kGames, {3, 1, 2}, 3));
    EXPECT_TRUE(countRuleMet(kLosses, {5, 3, 2}, 2));
    EXPECT_FALSE(countRuleMet(kLosses, {5, 4, 1}, 2));
    EXPECT_TRUE(countRuleMet(kRatio, {4, 1, 3}, 2));
    // More wins than losses: the difference is negative and meets no limit, not even 0.
    EXPECT_FALSE(countRuleMet(kRatio, {5, 4, 1}, 0));
    EXPECT_TRUE(countRuleMet(kRatio, {2, 1, 1}, 0));
    // A limit of 0 is met at once by the games and losses rules.
    EXPECT_TRUE(countRuleMet(kGames, {0, 0, 0}, 0));
    EXPECT_TRUE(countRuleMet(kLosses, {0, 0, 0}, 0));
    // A mode outside the three is no rule.
    for (const std::int32_t option : {-1, 3, 1000}) {
        EXPECT_FALSE(countRuleMet(option, {255, 0, 255}, 0)) << option;
    }
}

TEST(CountRules, TheNextMatchEndsTheSessionWhateverItsResultOrOnlyWithALoss) {
    const NextMatch lastGame = nextMatchUnder(kGames, {1, 1, 0}, 2);
    EXPECT_TRUE(lastGame.endsWhatever());
    const NextMatch oneMoreLoss = nextMatchUnder(kLosses, {3, 2, 1}, 2);
    EXPECT_TRUE(oneMoreLoss.endsWithALoss);
    EXPECT_FALSE(oneMoreLoss.endsWithAWin);
    const NextMatch ratio = nextMatchUnder(kRatio, {3, 1, 2}, 2);
    EXPECT_TRUE(ratio.endsWithALoss);
    EXPECT_FALSE(ratio.endsWithAWin);
    const NextMatch farOff = nextMatchUnder(kLosses, {0, 0, 0}, 3);
    EXPECT_FALSE(farOff.endsWithALoss || farOff.endsWithAWin);
    // Losses kept from before that already meet the limit: a win ends it too.
    EXPECT_TRUE(nextMatchUnder(kLosses, {4, 0, 4}, 2).endsWhatever());
}

TEST(CountRules, ThePlayedCountWrapsAtIts256thMatchAsTheHandlersCountIt) {
    // 255 played and one more is 0 played: a games limit of 1 is not met by that match.
    EXPECT_FALSE(nextMatchUnder(kGames, {255, 100, 155}, 1).endsWithALoss);
    EXPECT_TRUE(nextMatchUnder(kGames, {254, 100, 154}, 255).endsWhatever());
}

TEST(CountRules, SavedModesAreTheLabelsExactlyAndLimitsAreHeldToAByte) {
    EXPECT_EQ(decodeLimitMode("Game Count"), 0);
    EXPECT_EQ(decodeLimitMode("Lose Count"), 1);
    EXPECT_EQ(decodeLimitMode("Win-Lose Ratio"), 2);
    for (const char* other : {"0", "", "lose count", "Lose Count ", "Win-Lose"}) {
        EXPECT_FALSE(decodeLimitMode(other).has_value()) << other;
    }
    EXPECT_EQ(decodeGameLimit(-1), 0);
    EXPECT_EQ(decodeGameLimit(44), 44);
    EXPECT_EQ(decodeGameLimit(300), 255);
    EXPECT_EQ(decodeGameLimit(std::numeric_limits<int>::min()), 0);
}

TEST(LossStreak, AWinEndsItALossLengthensItAndItIsHeldAt255) {
    LossStreak streak;
    streak.countResult(false);
    streak.countResult(false);
    EXPECT_EQ(streak.count(), 2);
    streak.countResult(true);
    EXPECT_EQ(streak.count(), 0);
    streak.restore(254);
    streak.countResult(false);
    streak.countResult(false);
    EXPECT_EQ(streak.count(), 255);
    streak.reset();
    EXPECT_EQ(streak.count(), 0);
}

TEST(LossStreak, ALimitBelowTheStreakIsMetAndWarnedOfAndNoLimitIsNever) {
    LossStreak streak;
    streak.restore(4);
    // The limit lowered below the streak after the losses: at least, not exactly.
    EXPECT_TRUE(streak.met(3));
    EXPECT_TRUE(streak.oneLossFrom(3));
    EXPECT_TRUE(streak.met(4));
    EXPECT_FALSE(streak.met(5));
    EXPECT_TRUE(streak.oneLossFrom(5));
    EXPECT_FALSE(streak.oneLossFrom(6));
    EXPECT_FALSE(streak.met(0));
    EXPECT_FALSE(streak.oneLossFrom(0));
    streak.restore(255);
    EXPECT_TRUE(streak.met(255));
}
