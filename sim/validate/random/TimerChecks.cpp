// The session timer never gains more than a second a second.
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

// Stopping the timer cancels a quit that waited for a match's end. (Starting it again cancels it
// too, but a new run with a limit already reached sets its own at once.)
std::optional<std::string> Referee::checkTimerStopOrStart(const Event& event) const {
    const bool startStop =
        event.kind == Kind::Click && std::string(kClickable[event.value]) == "Start/Stop";
    if (startStop && !host.window.busy() && timerWasRunning && !host.sundown()->timerRunning &&
        host.sundown()->exitPending) {
        return std::string("a quit still waits after Start/Stop stopped the timer");
    }
    return std::nullopt;
}

}  // namespace randomPlay
