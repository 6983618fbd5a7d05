#include "KickOffHeadsUp.h"

#include "HeadsUpTexts.h"

const char* kickOffHeadsUp(const KickOffOutlook& outlook) {
    if (outlook.count.endsWhatever()) {
        return headsUpText::kLastGame;
    }
    if (outlook.count.endsWithALoss) {
        return headsUpText::kOneMoreLoss;
    }
    if (outlook.streakEndsWithALoss) {
        return headsUpText::kOneMoreLossInARow;
    }
    if (outlook.dayEndsWhatever) {
        return headsUpText::kLastGameToday;
    }
    return nullptr;
}
