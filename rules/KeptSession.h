// A session kept across a restart, for the player who asks for it ("keepSessionOnRestart"): when
// what was saved comes back, and what is written as the session changes. The shell takes the
// snapshot and gives it back.
#pragma once

#include <optional>
#include <string>

#include "SavedSession.h"

class KeptSession {
  public:
    // Whether the first look after the load has been taken.
    bool looked() const { return lookedOnce; }
    // The first look after the load: whether what was saved comes back (the player keeps it).
    bool firstLook(bool keeping) {
        lookedOnce = true;
        keptWhenLastSeen = keeping;
        return keeping;
    }
    // What came back: whether it holds the losing streak, or nothing at all that could lack it.
    void cameBack(const SavedSession& saved, bool nothingSaved) {
        streakInSaved = saved.hasStreak || nothingSaved;
    }
    // Whether keeping was on when the plug-in last looked: turned on since, the session is saved
    // at once, as it stands.
    bool keptWhenSeen() const { return keptWhenLastSeen; }
    // Whether what was last saved holds the losing streak: a limit on it set since, the session is
    // saved at once with it.
    bool streakSaved() const { return streakInSaved; }
    // Whether the session must be saved now that the plug-in looks again: the player keeps it,
    // and either turned keeping on, or set a limit on the streak, since it was last saved.
    bool wantsSaving(bool keeping, bool streakLimited) const {
        return keeping && (!keptWhenLastSeen || (streakLimited && !streakInSaved));
    }
    // What "savedSession" becomes at a change, from what it holds now: the session while the
    // player keeps it; while not, empty, so that an older session never comes back. None when
    // nothing is to be written.
    [[nodiscard]] std::optional<std::string> save(bool keeping, const SessionSnapshot& session,
                                                  const std::string& savedNow);

  private:
    bool lookedOnce = false;
    bool keptWhenLastSeen = false;
    bool streakInSaved = false;
};
