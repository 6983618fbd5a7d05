// A lock on the player's own limits until the day in progress ends, for the player who takes one
// on the page: the shell that joins the lock to the plug-in. While it holds, it reads every limit
// by every route once a second, at each drawing of the page and at each kick-off and match end,
// and puts back each one loosened, saying so; it keeps the lock in "savedLock" across restarts.
#pragma once

#include <array>
#include <string>

#include "Lock.h"
#include "OptInRule.h"

class DayShell;
class RuleServices;

// What the lock reads and puts back of the plug-in's own state, beyond its settings.
class LockHolder {
  public:
    // Whether the count rules and the session timer are on.
    virtual bool countRulesOn() const = 0;
    virtual bool timerRunning() const = 0;
    // The limit mode the count rules use now.
    virtual int countMode() const = 0;
    // The count rules' switch, mode and limits, and the timer's limit, were written back to their
    // variables: the plug-in takes them from there now.
    virtual void countSettingsPutBack() = 0;
    // A line for the player in the host console, whatever the log switch says.
    virtual void tell(const std::string& line) = 0;
    // `text` in the status line's place for two seconds; it must outlive them.
    virtual void showLocked(const char* text) = 0;
    // Whether the status line's place shows what showLocked showed last.
    virtual bool showingLocked() const = 0;

  protected:
    LockHolder() = default;
    LockHolder(const LockHolder&) = default;
    LockHolder& operator=(const LockHolder&) = default;
    ~LockHolder() = default;
};

class LockShell final : public PageRows {
  public:
    LockShell(RuleServices& services, LockHolder& holder, DayShell& day)
        : services(services), holder(holder), day(day) {}

    // Reads "savedLock" once, at the first frame, page or hook: a value loosened while the game
    // was closed is put back now.
    void load();
    bool held() const { return lock.held(); }
    // The clock followed, and every limit loosened since the last look put back; the first call
    // loads.
    void hold();
    // Whether the lock refuses an action that would loosen (the master switch turning the count
    // rules off, the count reset, the timer stopped); a refusal is shown in the status line.
    bool refuses();

    // "Lock my limits until HH:MM" while a limit is in force; while locked, what that means.
    void drawRows() override;

  private:
    // Whether any limit is in force now, the session timer running among them.
    bool limitInForce() const;
    // Every limit as the player set it now, by whatever route.
    LockedLimits set() const;
    void take();
    void putBack(const Holding& held);
    void putBackOne(LockedLimit which, const LockedLimits& kept);
    void save();
    void nameLockedLine();
    void tell(const std::string& line);

    RuleServices& services;
    LockHolder& holder;
    DayShell& day;
    Lock lock;
    bool loaded = false;
    // "Sundown: locked until HH:MM", shown in the status line while a refusal is: the status line
    // holds it by its address.
    std::array<char, 32> lockedLine{};
    std::string savedText;
    // The last line told.
    std::string lastTold;
};
