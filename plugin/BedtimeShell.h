// Bedtime, for the player who sets one ("bedtime", HH:MM): the shell that joins the night to
// the plug-in. It reads the bedtime, the day's start hour and the wall clock, and at each look
// watches an approved online match for the night to begin, so that the session ends after that
// match. It has its own switch, a bedtime set: the master switch and its key do not lift it,
// but clearing it does, for the match in progress too.
#pragma once

#include <cstdint>
#include <optional>

#include "Bedtime.h"
#include "OptInRule.h"

class RuleServices;

class BedtimeShell final : public OptInRule, public PageRows {
  public:
    explicit BedtimeShell(RuleServices& services) : services(services) {}

    // The match flow's questions.
    bool on() const override { return tonight().has_value(); }
    void look() override;
    void kickOff(KickOffOutlook& outlook) override;
    // The night is watched at each look, in a match or not.
    bool followingClock() const override { return false; }
    void secondOfPlay() override {}
    bool matchEnded() override;
    const char* leaveLine() const override { return "Trying to Exit by bedtime"; }

    void drawRows() override;

    // The match in progress, as the night sees it.
    const MatchNight& matchNight() const { return match; }

  private:
    // The night as the bedtime and the day's start hour make it now.
    std::optional<Night> tonight() const;
    bool inTheNight() const;

    RuleServices& services;
    MatchNight match;
    std::uint32_t watchRun = 0;
};
