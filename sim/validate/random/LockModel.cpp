#include "LockModel.h"

#include <cstdlib>
#include <optional>

#include "NightModel.h"

namespace randomPlay {

namespace {

int number(const std::string& text) {
    return std::atoi(text.c_str());
}

// Limits where 0 is none: lowered, or set where there was none, is less play.
bool limitWithNone(const std::string& name) {
    return name == "lossStreakLimit" || name == "dailyMinutes" || name == "dailyMatches" ||
           name == "weeklyMinutes" || name == "weeklyMatches";
}

// A bedtime's place in the night that runs from the start hour round to the next: minutes
// after the start hour; none when it makes no night.
std::optional<int> placeInTheNight(const std::string& bedtime, int startHour) {
    const std::optional<NightTimes> night = nightFrom(bedtime, startHour);
    if (!night) {
        return std::nullopt;
    }
    return ((night->from - startHour * 60) % 1440 + 1440) % 1440;
}

}  // namespace

void LockModel::take(std::map<std::string, std::string> set, int hour) {
    limits = std::move(set);
    startHour = hour;
    locked = true;
}

bool LockModel::loosens(const std::string& name, const std::string& value) {
    const auto held = limits.find(name);
    if (!locked || held == limits.end()) {
        return false;
    }
    bool looser = false;
    if (name == "numOfGames" || name == "numOfMinutes") {
        looser = number(value) > number(held->second);
    } else if (limitWithNone(name)) {
        looser = number(held->second) > 0 &&
                 (number(value) == 0 || number(value) > number(held->second));
    } else if (name == "enableSundown" || name == "keepSessionOnRestart") {
        looser = number(held->second) == 1 && number(value) == 0;
    } else if (name == "bedtime") {
        const std::optional<int> before = placeInTheNight(held->second, startHour);
        const std::optional<int> after = placeInTheNight(value, startHour);
        looser = before && (!after || *after > *before);
    } else {
        // The start hour and the limit mode cannot change.
        looser = value != held->second;
    }
    if (!looser) {
        held->second = value;
    }
    return looser;
}

std::string LockModel::kept(const std::string& name) const {
    const auto held = limits.find(name);
    if (held == limits.end()) {
        return {};
    }
    if (name == "bedtime") {
        const std::optional<NightTimes> night = nightFrom(held->second, startHour);
        return night ? clockText(night->from) : std::string();
    }
    return held->second;
}

std::string LockModel::line() const {
    return "Sundown: locked until " + clockText(startHour * 60);
}

}  // namespace randomPlay
