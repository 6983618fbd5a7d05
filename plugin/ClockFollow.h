// The clock followed once a second while an opt-in rule is on, the session is kept or the
// limits are locked, in the menus too, so that a change by any route takes effect within a second:
// one chain of timeouts, started again at each kick-off so that a match's seconds count from it,
// and armed by a canvas frame when something is switched on while nothing follows the clock.
#pragma once

#include <cstdint>

#include "OptInRule.h"

class KeptSessionShell;
class LockShell;
class RuleServices;

class ClockFollow {
  public:
    ClockFollow(RuleServices& services, const MatchRules& rules, KeptSessionShell& keptSession,
                LockShell& lock)
        : services(services), rules(rules), keptSession(keptSession), lock(lock) {}

    // The kick-off that approves a match: the chain starts again from here when a rule follows
    // the match (`following`) or anything is on; an earlier tick ends.
    void kickOff(bool following);
    // A canvas frame: once the wall clock shows another second, a rule or the kept session
    // switched on while nothing follows the clock is looked at now and followed from here.
    void frame();

  private:
    // Whether any opt-in rule is on, the session is kept, or the limits locked.
    bool wanted() const;
    // What the lock puts back comes first: every rule then sees the limits it holds.
    void look();
    void lookAtRules();
    void arm();
    // The lock's look, a second of the match for the rules that time it, then a look by every
    // rule that is on;
    // the next tick while any wants one. A tick of an earlier chain does nothing.
    void tick(std::uint32_t run);

    RuleServices& services;
    const MatchRules& rules;
    KeptSessionShell& keptSession;
    LockShell& lock;
    std::uint32_t run = 0;
    bool armed = false;
    // The wall clock's second when a canvas frame last asked whether the clock is wanted.
    long long lastWallSecond = 0;
};
