// Which heads-up the kick-off of an approved online match gets, from what each rule says that
// match may do.
#pragma once

#include "CountRules.h"

struct KickOffOutlook {
    NextMatch count;                   // the count rule, while the master switch is on
    bool streakEndsWithALoss = false;  // the losing streak, while the master switch is on
    bool dayEndsWhatever = false;      // the day's last match, or one started when it is spent
    bool weekEndsWhatever = false;     // the same for the week
    bool bedtimeEndsWhatever = false;  // a match approved in the night
    bool timerEndsWhatever = false;    // the session timer's quit waits for this match
};

// The heads-up's text; null when no rule ends the session with this match.
const char* kickOffHeadsUp(const KickOffOutlook& outlook);
