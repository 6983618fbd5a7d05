// The kept session's decisions: what is written as the session changes, and when the plug-in
// saves it again on its own.
#include <gtest/gtest.h>

#include "KeptSession.h"

TEST(KeptSession, KeptItIsSavedAsItStandsNotKeptAnOlderOneIsEmptiedOnce) {
    KeptSession kept;
    EXPECT_FALSE(kept.looked());
    EXPECT_TRUE(kept.firstLook(true));
    EXPECT_TRUE(kept.looked());
    EXPECT_TRUE(kept.keptWhenSeen());
    EXPECT_EQ(kept.save(true, {true, 1, 3, 1, 2, std::nullopt}, ""), "1,1,3,1,2");
    EXPECT_EQ(kept.save(false, {}, "1,1,3,1,2"), "");
    EXPECT_FALSE(kept.keptWhenSeen());
    EXPECT_FALSE(kept.save(false, {}, "").has_value());
    KeptSession notKept;
    EXPECT_FALSE(notKept.firstLook(false));
    EXPECT_TRUE(notKept.looked());
}

TEST(KeptSession, ALimitOnTheStreakSetSinceTheLastSaveWantsTheStreakSaved) {
    KeptSession kept;
    kept.firstLook(true);
    kept.cameBack(decodeSession("1,0,2,0,2"), false);
    EXPECT_FALSE(kept.wantsSaving(true, false)) << "no limit: nothing to add";
    EXPECT_TRUE(kept.wantsSaving(true, true)) << "a limit set: the two losses must be kept";
    EXPECT_FALSE(kept.wantsSaving(false, true)) << "not kept: nothing is saved";
    static_cast<void>(kept.save(true, {true, 0, 2, 0, 2, 2}, "1,0,2,0,2"));
    EXPECT_TRUE(kept.streakSaved());
    EXPECT_FALSE(kept.wantsSaving(true, true));
    // Saved again without a limit, then one set: wanted again.
    static_cast<void>(kept.save(true, {true, 0, 3, 0, 3, std::nullopt}, "1,0,2,0,2,2"));
    EXPECT_TRUE(kept.wantsSaving(true, true));
}

TEST(KeptSession, WhatCameBackWithItsStreakOrEmptyLacksNothing) {
    KeptSession withStreak;
    withStreak.firstLook(true);
    withStreak.cameBack(decodeSession("1,0,2,0,2,2"), false);
    EXPECT_FALSE(withStreak.wantsSaving(true, true));
    KeptSession empty;
    empty.firstLook(true);
    empty.cameBack(decodeSession(""), true);
    EXPECT_FALSE(empty.wantsSaving(true, true));
    KeptSession turnedOn;
    turnedOn.firstLook(false);
    EXPECT_TRUE(turnedOn.wantsSaving(true, false)) << "keeping turned on since the last look";
}
