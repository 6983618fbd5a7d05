// Leaving the game: a disconnect from the online game, then a quit, handed to the host console.
#include "HeadsUpTexts.h"
#include "Sundown.h"

void Sundown::delayedDisconnect() {
    writeLog("delayedDisconnect: Start");
    cvarService->executeCommand("unreal_command disconnect", true);
    writeLog("delayedDisconnect: Done");
}

void Sundown::delayedExit() {
    writeLog("delayedExit: Start");
    cvarService->executeCommand("unreal_command exit", true);
    writeLog("delayedExit: Done");
}

// Both delays count from now: the disconnect after one second, the quit three seconds later.
void Sundown::scheduleLeave() {
    armTimeout(&Sundown::delayedDisconnect, 1.0F);
    armTimeout(&Sundown::delayedExit, 4.0F);
    showHeadsUp(headsUpText::kLimitReached);
}
