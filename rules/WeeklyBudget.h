// A week's budget of online play, for the player who sets one ("weeklyMinutes",
// "weeklyMatches"): the days of play named Monday to Sunday make a week, so it runs from Monday at
// the day's start hour to the next Monday's. It keeps no days of its own: the week's play is the
// history's days of it and today's.
#pragma once

#include <cstdint>

#include "History.h"

// The limits of a week: 0 is none; the budget is on while either is set.
struct WeekLimits {
    std::int32_t matches = 0;
    std::int32_t minutes = 0;
    bool on() const { return matches > 0 || minutes > 0; }
};

// The number of the Monday of the week that the day numbered `day` belongs to (numbers as
// dayNumber counts them).
long long mondayOf(long long day);

// Whether the week is at a limit, or would be with one more match.
bool weekSpent(const PlayTotals& week, const WeekLimits& limits, bool countingOneMore);
// Whether its minutes alone are spent.
bool weekMinutesSpent(const PlayTotals& week, const WeekLimits& limits);
