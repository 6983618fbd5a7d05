// The session timer: counts whole seconds with a self-arming one-second tick, blinks the
// Start/Stop button, and quits at the minute limit, or leaves that to the end of the online
// match the player is in.
#include "HeadsUpTexts.h"
#include "LockShell.h"
#include "Sundown.h"

namespace {

ImVec4 blinkColor() {
    return ImColor::HSV(3.0F / 7.0F, 0.6F, 0.6F, 1.0F);
}
ImVec4 restingColor() {
    return ImColor::HSV(4.0F / 7.0F, 0.6F, 0.6F, 1.0F);
}

}  // namespace

void Sundown::EnableByTime() {
    // Under a lock the timer can be started, not stopped.
    if (timerRunning && lock->refuses()) {
        return;
    }
    // A quit that waited for the end of a match belongs to the run that ran out: a stop or a new
    // run cancels it.
    exitPending = false;
    if (timerRunning) {
        writeLog("===== EnableByTime: turnoff=====");
        minutesElapsed = 0;
        secondsElapsed = 0;
        timerRunning = false;
        return;
    }
    writeLog("===== EnableByTime: turnon=====");
    timerRunning = true;
    minutesElapsed = 0;
    secondsElapsed = -1;
    // A tick still armed by an earlier run sees another run number and ends there.
    timerRuns.start();
    runSeconds();
}

void Sundown::runSeconds() {
    if (!timerRunning) {
        return;
    }
    if (timerLimitReached(minutesElapsed, maxMinutes)) {
        if (gameService->IsInOnlineGame()) {
            exitPending = true;
            showHeadsUp(headsUpText::kTimeIsUp);
        } else {
            delayedExit();
        }
        return;
    }
    gameService->SetTimeout(
        whileAlive<GameWrapper*>([run = timerRuns.current()](Sundown& self, GameWrapper*) {
            if (self.timerRuns.isCurrent(run)) {
                self.runSeconds();
            }
        }),
        1.0F);
    if (countTimerSecond(minutesElapsed, secondsElapsed)) {
        if (const char* text = timeLeftHeadsUp(minutesElapsed, maxMinutes)) {
            showHeadsUp(text);
        }
    }
    if (blinkPhase) {
        writeLog("===== runSeconds: color1=====");
        timerButtonColor = blinkColor();
        blinkPhase = false;
    } else {
        writeLog("===== runSeconds: color2=====");
        blinkPhase = true;
        timerButtonColor = restingColor();
    }
}
