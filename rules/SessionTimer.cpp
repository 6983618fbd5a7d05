// The session timer: counts whole seconds with a self-arming one-second tick, blinks the
// Start/Stop button, and quits at the minute limit, or leaves that to the end of the online
// match the player is in.
#include "Sundown.h"

namespace {

ImVec4 blinkColor() {
    return ImColor::HSV(3.0F / 7.0F, 0.6F, 0.6F, 1.0F);
}
ImVec4 restingColor() {
    return ImColor::HSV(4.0F / 7.0F, 0.6F, 0.6F, 1.0F);
}

}  // namespace

// At the ticks that reach five minutes, and one minute, before the limit.
void Sundown::warnOfTheTimeLeft() {
    if (maxMinutes > 5 && minutesElapsed == maxMinutes - 5) {
        showHeadsUp("Sundown: 5 minutes left");
    }
    if (maxMinutes > 1 && minutesElapsed == maxMinutes - 1) {
        showHeadsUp("Sundown: 1 minute left");
    }
}

void Sundown::EnableByTime() {
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
    ++timerRun;
    runSeconds();
}

void Sundown::runSeconds() {
    if (!timerRunning) {
        return;
    }
    if (minutesElapsed >= maxMinutes) {
        if (gameService->IsInOnlineGame()) {
            exitPending = true;
            showHeadsUp("Sundown: time is up, quitting after this match");
        } else {
            delayedExit();
        }
        return;
    }
    gameService->SetTimeout(whileAlive<GameWrapper*>([run = timerRun](Sundown& self, GameWrapper*) {
                                if (self.timerRun == run) {
                                    self.runSeconds();
                                }
                            }),
                            1.0F);
    if (++secondsElapsed >= 60) {
        ++minutesElapsed;
        secondsElapsed = 0;
        warnOfTheTimeLeft();
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
