// The session timer never gains more than a second a second; its time runs out, and its quit
// waits, as the player's own model of it says.
#include "Referee.h"

namespace randomPlay {

std::optional<std::string> Referee::checkTimer(const Event& wait) const {
    const Sundown& sundown = *host.sundown();
    const int timerAfter = sundown.minutesElapsed * 60 + sundown.secondsElapsed;
    // The wait may have run on past the first second of a minute.
    const std::int64_t waited = (host.world.clock().now() - timeBefore) / 1000;
    if (timerWasRunning && timerAfter - timerBefore > waited / 1000 + 1) {
        return "the timer advanced " + std::to_string(timerAfter - timerBefore) + " s in " +
               std::to_string(waited) + " ms (a wait of " + std::to_string(wait.value) + " ms)";
    }
    return std::nullopt;
}

// The minutes the field holds change only in a page frame, and the seconds due up to that
// frame were counted before it was drawn: against the minutes seen before it.
void Referee::catchUpTheTimer(bool afterAPageFrame) {
    if (!host.world.game().quit()) {
        const std::int64_t now = host.world.clock().now();
        timerOutcome(model.timer.catchUp(afterAPageFrame ? now + 1 : now, timerMinutesSeen,
                                         host.world.game().online()));
    }
    timerMinutesSeen = host.sundown()->maxMinutes;
}

// Each click on Start/Stop flips the button's state: the frame it does so in is when the click
// took effect.
void Referee::timerClicked() {
    const bool running = host.sundown()->timerRunning;
    if (running == timerRunningInFrame) {
        return;
    }
    timerRunningInFrame = running;
    timerOutcome(model.timer.startOrStop(host.world.clock().now(), host.sundown()->maxMinutes,
                                         host.world.game().online()));
}

// Time up outside an online game quits it at once, in the tick that finds it up.
void Referee::timerOutcome(TimerModel::Outcome outcome) {
    if (outcome == TimerModel::Outcome::QuitsNow && !host.world.game().quit()) {
        noteBroken(
            std::string("the timer's time ran out outside an online game, and the game "
                        "did not quit"));
    }
}

}  // namespace randomPlay
