// The session kept across a restart, for the player who asks for it ("keepSessionOnRestart"):
// the shell that saves the plug-in's session in "savedSession" as it changes, gives it back once
// after a load, before any of it is first read or changed, and notices keeping turned on, or a
// limit on the losing streak set, since it last looked.
#pragma once

#include "KeptSession.h"
#include "SavedSession.h"

class RuleServices;

// Whose session is kept: the plug-in's master switch, limit mode, counts and losing streak.
class SessionHolder {
  public:
    // The session as it stands; the streak only while a limit on it is set.
    virtual SessionSnapshot session() const = 0;
    // Takes back what was kept.
    virtual void resume(const SavedSession& kept) = 0;

  protected:
    SessionHolder() = default;
    SessionHolder(const SessionHolder&) = default;
    SessionHolder& operator=(const SessionHolder&) = default;
    ~SessionHolder() = default;
};

class KeptSessionShell {
  public:
    KeptSessionShell(RuleServices& services, SessionHolder& holder)
        : services(services), holder(holder) {}

    // The first look after the load gives back what was kept, when the player keeps it; later
    // looks do nothing.
    void lookFirst();
    // Every hook's look: the first look, then a save at once when keeping was turned on, or a
    // limit on the streak set, since the last.
    void notice();
    // Saves the session as it stands now, in whatever way the player's choice asks.
    void save();
    // Saves it when keeping was turned on, or a limit on the streak set, since the last save.
    void saveIfWanted();

    // The page's row: keeping on or off.
    void drawRows();

    bool looked() const { return kept.looked(); }

  private:
    bool wantsSaving(bool keeping) const;

    RuleServices& services;
    SessionHolder& holder;
    KeptSession kept;
};
