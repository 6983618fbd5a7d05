#include "Trace.h"

#include <string>

#include "DayShell.h"
#include "Timeline.h"

namespace randomPlay {

namespace {

// The plug-in's state as a line of JSON, every field the promises read.
std::string stateOf(const Sundown& sundown) {
    const auto number = [](const char* name, long long value) {
        return std::string(",\"") + name + "\":" + std::to_string(value);
    };
    std::string line = "{\"state\":\"plug-in\"";
    line += number("played", sundown.numberOfGamesPlayed) + number("wins", sundown.numberOfWins) +
            number("losses", sundown.numberOfLosses) +
            number("maxGames", sundown.maxNumberOfGames) +
            number("option", sundown.selectedOption) + number("enabled", sundown.enabled) +
            number("approved", sundown.gameApproved) + number("exitPending", sundown.exitPending) +
            number("maxMinutes", sundown.maxMinutes) + number("minutes", sundown.minutesElapsed) +
            number("seconds", sundown.secondsElapsed) + number("timer", sundown.timerRunning) +
            number("blink", sundown.blinkPhase) + number("alpha", sundown.overlayAlpha) +
            number("streak", sundown.lossStreak.count()) +
            number("dayMatches", sundown.day->today().matches()) +
            number("daySeconds", sundown.day->today().seconds()) +
            number("headsUps", sundown.headsUp.shown());
    line += ",\"day\":\"" + sundown.day->today().name() + "\",\"headsUp\":\"" +
            (sundown.headsUp.text() != nullptr ? sundown.headsUp.text() : "") + "\"}";
    return line;
}

}  // namespace

void Trace::event(std::size_t index, const Event& event, const HostWorld& world,
                  const Sundown* sundown) {
    if (out == nullptr) {
        return;
    }
    std::string what;
    for (const char c : event.describe()) {
        what += c == '"' ? std::string("\\\"") : std::string(1, c);
    }
    *out << "{\"event\":" << index << ",\"what\":\"" << what << "\"}\n";
    const auto& events = world.events().events();
    for (; recorded < events.size(); ++recorded) {
        *out << toJson(events[recorded]) << '\n';
    }
    if (sundown != nullptr) {
        *out << stateOf(*sundown) << '\n';
    }
}

}  // namespace randomPlay
