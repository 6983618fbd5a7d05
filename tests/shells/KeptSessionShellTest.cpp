// The kept session's shell with no host: what comes back at the first look, and when it saves on
// its own.
#include <gtest/gtest.h>

#include "FakeServices.h"
#include "KeptSessionShell.h"
#include "Settings.h"

namespace {

// A session holder that keeps what it is given, as the plug-in's fields would.
class HeldSession final : public SessionHolder {
  public:
    SessionSnapshot session() const override { return now; }
    void resume(const SavedSession& kept) override {
        ++resumed;
        now.enabled = kept.enabled.value_or(now.enabled);
        now.played = kept.played;
        now.losses = kept.losses;
    }
    SessionSnapshot now;
    int resumed = 0;
};

}  // namespace

TEST(KeptSessionShell, WhatWasKeptComesBackOnceAndOnlyWhileThePlayerKeepsIt) {
    FakeServices services;
    services.set(setting::savedSession, "1,1,3,0,3");
    HeldSession notKept;
    KeptSessionShell off(services, notKept);
    off.lookFirst();
    EXPECT_EQ(notKept.resumed, 0);

    services.set(setting::keepSessionOnRestart, "1");
    HeldSession kept;
    KeptSessionShell on(services, kept);
    on.lookFirst();
    on.lookFirst();
    on.notice();
    EXPECT_EQ(kept.resumed, 1);
    EXPECT_TRUE(kept.now.enabled);
    EXPECT_EQ(kept.now.losses, 3);
    EXPECT_EQ(services.text(setting::savedSession), "1,1,3,0,3") << "nothing changed: not saved";
}

TEST(KeptSessionShell, KeepingTurnedOnAtTheConsoleSavesTheSessionAtTheNextLook) {
    FakeServices services;
    HeldSession held;
    held.now.played = 2;
    KeptSessionShell shell(services, held);
    shell.notice();
    EXPECT_EQ(services.text(setting::savedSession), "");
    services.set(setting::keepSessionOnRestart, "1");
    shell.notice();
    EXPECT_EQ(services.text(setting::savedSession), "0,0,2,0,0");
}

TEST(KeptSessionShell, NoLongerKeptAnOlderSessionIsEmptiedAtTheNextChange) {
    FakeServices services;
    services.set(setting::savedSession, "1,0,4,2,2");
    HeldSession held;
    KeptSessionShell shell(services, held);
    shell.lookFirst();
    shell.save();
    EXPECT_EQ(services.text(setting::savedSession), "");
}
