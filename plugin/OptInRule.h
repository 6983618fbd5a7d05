// What the match flow asks of each opt-in rule that can end a session, in the order the flow
// keeps: a look at the clock once a second while it is on, its word at a kick-off, a second of
// the match while it follows the clock, and whether the session ends after the match.
#pragma once

#include <array>

#include "KickOffHeadsUp.h"

class OptInRule {
  public:
    // Whether the player has switched the rule on.
    virtual bool on() const = 0;
    // Once a second while the rule is on, in the menus and in matches: what changed since the
    // last look, by any route, takes effect now.
    virtual void look() = 0;
    // The kick-off that approves an online match: the rule starts watching it, and puts its word
    // about that match into the outlook.
    virtual void kickOff(KickOffOutlook& outlook) = 0;
    // Whether the rule wants the clock followed a second at a time during the match.
    virtual bool followingClock() const = 0;
    // One second of the approved match, while the rule follows the clock.
    virtual void secondOfPlay() = 0;
    // The end of the approved match, ended or left: whether the session ends after it.
    virtual bool matchEnded() = 0;
    // The log line of the leave the rule asks for.
    virtual const char* leaveLine() const = 0;

  protected:
    OptInRule() = default;
    OptInRule(const OptInRule&) = default;
    OptInRule& operator=(const OptInRule&) = default;
    ~OptInRule() = default;
};

// The opt-in rules that can end a session, in the order the match flow asks them: the day's
// budget, the week's, then bedtime.
using MatchRules = std::array<OptInRule*, 3>;

// A group of rows of the settings page, after the text's rows.
class PageRows {
  public:
    virtual void drawRows() = 0;

  protected:
    PageRows() = default;
    PageRows(const PageRows&) = default;
    PageRows& operator=(const PageRows&) = default;
    ~PageRows() = default;
};
