#include "WallTime.h"

#include <cstdio>

namespace {

bool digits(const std::string& text, std::size_t from, std::size_t count, int& value) {
    value = 0;
    for (std::size_t index = from; index < from + count; ++index) {
        if (index >= text.size() || text[index] < '0' || text[index] > '9') {
            return false;
        }
        value = value * 10 + (text[index] - '0');
    }
    return true;
}

bool leapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : days[month - 1];
}

// Days since 1970-01-01 of a date from 1970 on.
std::int64_t daysSince1970(int year, int month, int day) {
    std::int64_t days = 0;
    for (int past = 1970; past < year; ++past) {
        days += leapYear(past) ? 366 : 365;
    }
    for (int past = 1; past < month; ++past) {
        days += daysInMonth(year, past);
    }
    return days + day - 1;
}

}  // namespace

std::optional<std::int64_t> parseWallTime(const std::string& date, const std::string& time) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (date.size() != 10 || date[4] != '-' || date[7] != '-' || !digits(date, 0, 4, year) ||
        !digits(date, 5, 2, month) || !digits(date, 8, 2, day) || year < 1970 || month < 1 ||
        month > 12 || day < 1 || day > daysInMonth(year, month)) {
        return std::nullopt;
    }
    int hour = 0;
    int minute = 0;
    int second = 0;
    const bool withSeconds = time.size() == 8;
    if ((time.size() != 5 && !withSeconds) || time[2] != ':' || !digits(time, 0, 2, hour) ||
        !digits(time, 3, 2, minute) ||
        (withSeconds && (time[5] != ':' || !digits(time, 6, 2, second))) || hour > 23 ||
        minute > 59 || second > 59) {
        return std::nullopt;
    }
    return daysSince1970(year, month, day) * 86400 + std::int64_t{hour} * 3600 +
           std::int64_t{minute} * 60 + second;
}

std::string formatWallTime(std::int64_t seconds) {
    std::int64_t days = seconds / 86400;
    const auto inDay = static_cast<int>(seconds % 86400);
    int year = 1970;
    while (days >= (leapYear(year) ? 366 : 365)) {
        days -= leapYear(year) ? 366 : 365;
        ++year;
    }
    int month = 1;
    while (days >= daysInMonth(year, month)) {
        days -= daysInMonth(year, month);
        ++month;
    }
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month,
                  static_cast<int>(days) + 1, inDay / 3600, inDay / 60 % 60, inDay % 60);
    return text;
}
