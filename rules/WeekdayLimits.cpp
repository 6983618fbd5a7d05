#include "WeekdayLimits.h"

#include <algorithm>

#include "Calendar.h"

std::optional<WeekdayNumbers> readWeekdayNumbers(const std::string& text, int most) {
    WeekdayNumbers numbers{};
    std::size_t from = 0;
    for (std::size_t day = 0; day < numbers.size(); ++day) {
        const std::size_t comma = text.find(',', from);
        if ((comma == std::string::npos) != (day + 1 == numbers.size())) {
            return std::nullopt;  // fewer or more than seven
        }
        const std::string part =
            text.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        const std::size_t first = part.find_first_not_of(" \t");
        if (first == std::string::npos) {
            return std::nullopt;
        }
        const std::string digits = part.substr(first, part.find_last_not_of(" \t") - first + 1);
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) {
            return std::nullopt;
        }
        numbers[day] = std::min(std::stoi(digits), most);
        from = comma + 1;
    }
    return numbers;
}

std::string writeWeekdayNumbers(const WeekdayNumbers& numbers) {
    std::string text;
    for (const int number : numbers) {
        text += (text.empty() ? "" : ",") + std::to_string(number);
    }
    return text;
}

std::string writeWeekdayNumbers(const std::optional<WeekdayNumbers>& numbers) {
    return numbers ? writeWeekdayNumbers(*numbers) : std::string();
}

std::optional<int> weekdayOf(const std::string& day) {
    if (!isDayName(day)) {
        return std::nullopt;
    }
    // 1970-01-01 was a Thursday: day 0 is weekday 3. Days before it count back the same way.
    const long long number = dayNumber(day);
    return static_cast<int>(((number + 3) % 7 + 7) % 7);
}

const char* weekdayName(int weekday) {
    static const char* const kNames[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    return weekday >= 0 && weekday < 7 ? kNames[weekday] : "";
}

DayLimits limitsOn(const std::string& day, const DayLimits& daily,
                   const std::optional<WeekdayNumbers>& minutes,
                   const std::optional<WeekdayNumbers>& matches) {
    DayLimits limits = daily;
    const std::optional<int> weekday = weekdayOf(day);
    if (!weekday) {
        return limits;
    }
    const auto index = static_cast<std::size_t>(*weekday);
    if (minutes) {
        limits.minutes = (*minutes)[index];
    }
    if (matches) {
        limits.matches = (*matches)[index];
    }
    return limits;
}
