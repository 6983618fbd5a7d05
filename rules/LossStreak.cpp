// The losing streak, for the player who asks for a limit on it ("lossStreakLimit"): a counted
// loss that brings the losses in a row to the limit leaves the game, whatever the count rule.
#include <string>

#include "CVarWrapper.h"
#include "SavedSettings.h"
#include "Sundown.h"

// Read when a match is counted or approved, so a saved limit counts before the page is drawn.
std::uint8_t Sundown::lossStreakLimit() {
    return decodeGameLimit(cvarService->getCvar("lossStreakLimit").getIntValue());
}

bool Sundown::lossStreakMet(const std::string& handlerName) {
    const std::uint8_t limit = lossStreakLimit();
    if (limit == 0 || lossStreak < limit) {
        return false;
    }
    writeLog(handlerName +
             ": Trying to Exit by loss streak. Losses in a row:" + std::to_string(lossStreak));
    return true;
}
