// The referee's part in every event: what stood before it, and what it must have kept after it.
#include "Referee.h"

namespace randomPlay {

namespace {

bool isPageInput(Kind kind) {
    return kind == Kind::Click || kind == Kind::StepButton || kind == Kind::TypeLimit ||
           kind == Kind::TypeMinutes || kind == Kind::TypeDay;
}

}  // namespace

void Referee::startEvent(const Event& event) {
    const Sundown& sundown = *host.sundown();
    timePassing = false;
    brokenInHook.reset();
    broken.reset();
    playedBefore = sundown.numberOfGamesPlayed;
    timeBefore = host.world.clock().now();
    timerBefore = sundown.minutesElapsed * 60 + sundown.secondsElapsed;
    timerWasRunning = sundown.timerRunning;
    pageWasOpen = host.pageOpen;
    // The switch flips in the frame the click lands in; the status line counts from there.
    toggleClick = event.kind == Kind::Click && event.value == 0;
    enabledInFrame = sundown.enabled;
}

std::optional<std::string> Referee::finishEvent(const Event& event) {
    catchUpTheDay();
    catchUpTheTimer();
    switch (event.kind) {
        case Kind::Wait:
            if (!broken && !host.world.game().quit()) {
                noteBroken(checkSavedAsPlayed());
            }
            if (!broken) {
                noteBroken(checkTimer(event));
            }
            break;
        case Kind::CanvasFrame:
            noteBroken(checkStatusLine());
            break;
        case Kind::OpenPage:
            noteBroken(checkPageLine());
            break;
        case Kind::Reset:
            return brokenInHook ? brokenInHook : checkKeptSession();
        case Kind::Restart:
        case Kind::EditSaved:
            return afterRestart();
        case Kind::LongBedtime:
            noteBroken(checkBedtimeEntered());
            break;
        case Kind::StreakLimit:
            // Seen within the second the hand gave it, unless the game quit first.
            streakLimitUnseen = host.world.game().quit();
            break;
        default:
            if (isPageInput(event.kind) && pageWasOpen) {
                checkPageInput(event);
            }
            break;
    }
    if (brokenInHook) {
        return brokenInHook;
    }
    if (broken) {
        return broken;
    }
    if (host.sundown()->gameApproved != model.approved) {
        return std::string("the plug-in's approval differs from the player's rounds");
    }
    if (auto kept = checkKeptSession()) {
        return kept;
    }
    if (auto night = checkBedtime()) {
        return night;
    }
    if (auto history = checkHistory()) {
        return history;
    }
    return checkPlayedCount(event);
}

std::optional<std::string> Referee::checkFaults() {
    const auto& events = host.world.events().events();
    for (; faultsChecked < events.size(); ++faultsChecked) {
        if (events[faultsChecked].type == "fault") {
            return "the plug-in asked for " + events[faultsChecked++].first;
        }
    }
    return std::nullopt;
}

}  // namespace randomPlay
