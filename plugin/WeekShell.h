// The week of online play, for the player who sets a week's budget ("weeklyMinutes",
// "weeklyMatches"): the shell that holds the day's play of this week against it. The day's shell
// counts and keeps the days, the week's among them, while the budget is set; this one says at a
// kick-off whether the match is the week's last, shows the heads-up as the week's minutes run
// out in a match, and asks for the leave at its end.
#pragma once

#include "OptInRule.h"
#include "WeeklyBudget.h"

class DayShell;
class RuleServices;

// The week's limits as the player set them.
WeekLimits weekLimitsSet(const RuleServices& services);

class WeekShell final : public OptInRule, public PageRows {
  public:
    WeekShell(RuleServices& services, DayShell& day) : services(services), day(day) {}

    bool on() const override { return weekLimitsSet(services).on(); }
    // The day's shell follows the clock for the week.
    void look() override {}
    void kickOff(KickOffOutlook& outlook) override;
    bool followingClock() const override;
    void secondOfPlay() override;
    bool matchEnded() override;
    const char* leaveLine() const override { return "Trying to Exit by the week's budget"; }

    // Once the day is counted, the week's fields and, while a limit is set, its line.
    void drawRows() override;

  private:
    RuleServices& services;
    DayShell& day;
    // Whether the week's minutes were spent at the approved match's last second seen.
    bool minutesSpentSeen = false;
};
