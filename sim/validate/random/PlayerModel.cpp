#include "PlayerModel.h"

#include <algorithm>

#include "WallTime.h"

namespace randomPlay {

namespace {

constexpr std::int64_t kSecond = 1'000'000;
constexpr int kSecondsInADay = 86'400;

}  // namespace

bool countRuleMet(std::int32_t option, int played, int wins, int losses, int limit) {
    switch (option) {
        case 0:
            return played >= limit;
        case 1:
            return losses >= limit;
        case 2:
            return losses - wins >= limit;
        default:
            return false;
    }
}

std::string dayOfPlayAt(std::int64_t wallSeconds, int startHour) {
    // Moved back by the start hour, the day of play is the calendar day.
    return formatWallTime(wallSeconds - std::int64_t{startHour} * 3600).substr(0, 10);
}

namespace {

// The day `days` after `day`.
std::string shiftedDay(const std::string& day, int days) {
    return formatWallTime(*parseWallTime(day, "00:00") + std::int64_t{days} * 86'400).substr(0, 10);
}

}  // namespace

void DayModel::startDayIfLater(const std::string& today) {
    if (day.empty() || today > day) {
        if (!day.empty() && (matches > 0 || seconds > 0)) {
            ended = {day, {matches, seconds}};
        }
        day = today;
        latest = std::max(latest, today);
        matches = 0;
        seconds = 0;
    }
}

void DayModel::follow(std::int64_t wallSeconds, const Limits& limits) {
    const int startHour = limits.startHour;
    ended.reset();
    if (namedUnder >= 0 && namedUnder != startHour && !day.empty()) {
        // Under the old hour first: a day may have ended before the change was seen.
        const std::string underOld = dayOfPlayAt(wallSeconds, namedUnder);
        startDayIfLater(underOld);
        const std::string underNew = dayOfPlayAt(wallSeconds, startHour);
        const bool backTooFar =
            underNew < day && !latest.empty() && underNew < shiftedDay(latest, -1);
        if (underOld == day && underNew != day && !backTooFar) {
            day = underNew;
            save();
        }
    }
    namedUnder = startHour;
    startDayIfLater(dayOfPlayAt(wallSeconds, startHour));
    if (ended && limits.history) {
        history.add(ended->first, ended->second.first, ended->second.second, day);
    }
    ended.reset();
}

void DayModel::approve(std::int64_t now, std::int64_t wallAtZero, const Limits& limits) {
    if (!limits.counted()) {
        return;
    }
    follow(wallAtZero + now / kSecond, limits);
    timed = true;
    nextSecond = now + kSecond;
}

void DayModel::catchUp(std::int64_t now, std::int64_t wallAtZero, const Limits& limits) {
    for (; timed && nextSecond <= now; nextSecond += kSecond) {
        follow(wallAtZero + nextSecond / kSecond - 1, limits);
        seconds = std::min(seconds + 1, kSecondsInADay);
        if (++unsavedSeconds >= 60) {
            save();
        }
    }
}

bool DayModel::countMatch(std::int64_t now, std::int64_t wallAtZero, const Limits& limits,
                          bool insideATimeout) {
    catchUp(insideATimeout ? now - 1 : now, wallAtZero, limits);
    const bool wasTimed = timed;
    timed = false;
    if (!wasTimed && !limits.counted()) {
        return false;
    }
    follow(wallAtZero + now / kSecond, limits);
    matches = std::min(matches + 1, 255);
    save();
    return spent(limits, false);
}

bool DayModel::spent(const Limits& limits, bool oneMore) const {
    return (limits.matches > 0 && matches + (oneMore ? 1 : 0) >= limits.matches) ||
           (limits.minutes > 0 && seconds >= limits.minutes * 60);
}

void DayModel::restart(int startHour) {
    timed = false;
    unsavedSeconds = 0;
    namedUnder = startHour;
    // What the plug-in reads back: the day as saved.
    if (savedText.empty()) {
        day.clear();
        matches = 0;
        seconds = 0;
    } else {
        const std::size_t first = savedText.find(',');
        const std::size_t second = savedText.find(',', first + 1);
        day = savedText.substr(0, first);
        matches = std::stoi(savedText.substr(first + 1, second - first - 1));
        seconds = std::stoi(savedText.substr(second + 1));
    }
    latest = day;
    if (!history.latestDay().empty()) {
        latest = std::max(latest, shiftedDay(history.latestDay(), 1));
    }
}

std::string DayModel::todayLine(const Limits& limits, std::int64_t wallSeconds) const {
    DayModel now = *this;
    now.follow(wallSeconds, limits);
    std::string line = "Today: matches " + std::to_string(now.matches);
    if (limits.matches > 0) {
        line += " of " + std::to_string(limits.matches);
    }
    line += ", minutes " + std::to_string(now.seconds / 60);
    if (limits.minutes > 0) {
        line += " of " + std::to_string(limits.minutes);
    }
    return line;
}

std::string DayModel::weekLine(const Limits& limits, std::int64_t wallSeconds) const {
    DayModel now = *this;
    Limits kept = limits;
    kept.history = true;
    now.follow(wallSeconds, kept);
    return now.history.weekLine(now.day, now.matches, now.seconds);
}

void DayModel::save() {
    unsavedSeconds = 0;
    savedText = day + "," + std::to_string(matches) + "," + std::to_string(seconds);
}

void Model::toggled(double seconds) {
    while (!toggles.empty() && toggles.front() + 2.0 <= seconds + 1e-9) {
        toggles.pop_front();
    }
    toggles.push_back(seconds);
}

}  // namespace randomPlay
