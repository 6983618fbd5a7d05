#include "HistoryModel.h"

#include <algorithm>

#include "WallTime.h"

namespace randomPlay {

long long dayNumberOf(const std::string& day) {
    return *parseWallTime(day, "00:00") / 86'400;
}

void HistoryModel::add(const std::string& day, int matches, int seconds, const std::string& today) {
    if (matches > 0 || seconds > 0) {
        Played& played = days[day];
        played.matches = std::min(played.matches + matches, 255);
        played.seconds = std::min(played.seconds + seconds, 86'400);
    }
    const long long todayNumber = dayNumberOf(today);
    for (auto each = days.begin(); each != days.end();) {
        each = todayNumber - dayNumberOf(each->first) > 14 ? days.erase(each) : std::next(each);
    }
    savedText.clear();
    for (const auto& [name, played] : days) {
        savedText += (savedText.empty() ? "" : ";") + name + "," + std::to_string(played.matches) +
                     "," + std::to_string(played.seconds);
    }
}

void HistoryModel::load(const std::string& text, const std::string& today) {
    days.clear();
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t end = std::min(text.find(';', from), text.size());
        const std::string entry = text.substr(from, end - from);
        from = end + 1;
        const std::size_t first = entry.find(',');
        const std::size_t second = entry.find(',', first == std::string::npos ? first : first + 1);
        if (first == std::string::npos || second == std::string::npos ||
            !parseWallTime(entry.substr(0, first), "00:00") || entry.substr(0, first) > today) {
            continue;
        }
        Played& played = days[entry.substr(0, first)];
        played.matches =
            std::min(played.matches + std::stoi(entry.substr(first + 1, second - first - 1)), 255);
        played.seconds = std::min(played.seconds + std::stoi(entry.substr(second + 1)), 86'400);
    }
    const long long todayNumber = dayNumberOf(today);
    for (auto each = days.begin(); each != days.end();) {
        each = todayNumber - dayNumberOf(each->first) > 14 ? days.erase(each) : std::next(each);
    }
    // The text may be this history's own: assigning it to itself keeps it.
    savedText = text;
}

std::array<int, 14> HistoryModel::chart(const std::string& today, int seconds) const {
    std::array<int, 14> bars{};
    bars[13] = seconds;
    const long long todayNumber = dayNumberOf(today);
    for (const auto& [name, played] : days) {
        const long long back = todayNumber - dayNumberOf(name);
        if (back >= 0 && back < 14) {
            bars[static_cast<std::size_t>(13 - back)] += played.seconds;
        }
    }
    return bars;
}

std::pair<int, int> HistoryModel::weekBefore(const std::string& today) const {
    // A week is Monday to Sunday; 1970-01-01 was a Thursday.
    const long long todayNumber = dayNumberOf(today);
    const long long monday = todayNumber - ((todayNumber + 3) % 7 + 7) % 7;
    std::pair<int, int> week{0, 0};
    for (const auto& [name, played] : days) {
        const long long number = dayNumberOf(name);
        if (number >= monday && number <= todayNumber) {
            week.first += played.matches;
            week.second += played.seconds;
        }
    }
    return week;
}

std::string HistoryModel::weekLine(const std::string& today, int matches, int seconds) const {
    const long long todayNumber = dayNumberOf(today);
    for (const auto& [name, played] : days) {
        const long long back = todayNumber - dayNumberOf(name);
        if (back >= 0 && back < 7) {
            matches += played.matches;
            seconds += played.seconds;
        }
    }
    return "Last 7 days: " + std::to_string(matches) + " matches, " + std::to_string(seconds / 60) +
           " minutes";
}

}  // namespace randomPlay
