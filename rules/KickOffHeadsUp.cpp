#include "KickOffHeadsUp.h"

#include "HeadsUpTexts.h"

// A rule that ends the session whatever the match's result speaks first: the match is the last,
// won or lost. Bedtime says so before the day's budget, the day before the week's, and the week
// before the timer's quit or a count limit. Only when none does, a rule that ends it with a loss.
const char* kickOffHeadsUp(const KickOffOutlook& outlook) {
    if (outlook.bedtimeEndsWhatever) {
        return headsUpText::kPastBedtime;
    }
    if (outlook.dayEndsWhatever) {
        return headsUpText::kLastGameToday;
    }
    if (outlook.weekEndsWhatever) {
        return headsUpText::kLastGameThisWeek;
    }
    if (outlook.timerEndsWhatever || outlook.count.endsWhatever()) {
        return headsUpText::kLastGame;
    }
    if (outlook.count.endsWithALoss) {
        return headsUpText::kOneMoreLoss;
    }
    if (outlook.streakEndsWithALoss) {
        return headsUpText::kOneMoreLossInARow;
    }
    return nullptr;
}
