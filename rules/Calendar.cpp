#include "Calendar.h"

#include <cstddef>

#include "SavedNumber.h"

namespace {

constexpr long long kMinutesInADay = 24LL * 60;

// The day number a moment in minutes falls on, rounded down before 1970 too.
long long dayOfMinute(long long minute) {
    return (minute >= 0 ? minute : minute - (kMinutesInADay - 1)) / kMinutesInADay;
}

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar, and back.
long long daysFromCivil(long long year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153LL * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

LocalTime civilFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shifted = (5 * dayOfYear + 2) / 153;
    LocalTime date;
    date.day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    date.month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

// "YYYY-MM-DD", put together by hand: the page names the day at every frame while it is open.
std::string nameOf(const LocalTime& date) {
    std::string name = "0000-00-00";
    const auto put = [&name](std::size_t end, int value, int digits) {
        for (int digit = 0; digit < digits; ++digit, value /= 10) {
            name[end - static_cast<std::size_t>(digit)] = static_cast<char>('0' + value % 10);
        }
    };
    // Day names are years 0001 to 9998, so a day before or after one has four digits too.
    put(3, date.year, 4);
    put(6, date.month, 2);
    put(9, date.day, 2);
    return name;
}

}  // namespace

std::string dayOfPlay(const LocalTime& moment, int startHour) {
    if (moment.hour < startHour) {
        return nameOf(civilFromDays(daysFromCivil(moment.year, moment.month, moment.day) - 1));
    }
    return nameOf(moment);
}

bool isDayName(const std::string& name) {
    if (name.size() != 10 || name[4] != '-' || name[7] != '-') {
        return false;
    }
    for (const std::size_t digit : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (name[digit] < '0' || name[digit] > '9') {
            return false;
        }
    }
    LocalTime date;
    date.year = std::stoi(name.substr(0, 4));
    date.month = std::stoi(name.substr(5, 2));
    date.day = std::stoi(name.substr(8, 2));
    return readable(date);
}

bool readable(const LocalTime& moment) {
    if (moment.year < 1 || moment.year > 9998 || moment.month < 1 || moment.month > 12 ||
        moment.day < 1 || moment.hour < 0 || moment.hour > 23 || moment.minute < 0 ||
        moment.minute > 59) {
        return false;
    }
    // A date that exists comes back unchanged from its day number.
    const LocalTime again = civilFromDays(daysFromCivil(moment.year, moment.month, moment.day));
    return again.year == moment.year && again.month == moment.month && again.day == moment.day;
}

long long dayNumber(const std::string& name) {
    const auto digits = [&name](std::size_t from, std::size_t count) {
        int value = 0;
        for (std::size_t at = from; at < from + count; ++at) {
            value = value * 10 + (name[at] - '0');
        }
        return value;
    };
    return daysFromCivil(digits(0, 4), digits(5, 2), digits(8, 2));
}

std::string dayAfter(const std::string& name, int days) {
    return nameOf(civilFromDays(dayNumber(name) + days));
}

long long minuteNumber(const LocalTime& moment) {
    return daysFromCivil(moment.year, moment.month, moment.day) * kMinutesInADay +
           moment.hour * 60LL + moment.minute;
}

std::string momentName(long long minute) {
    const long long days = dayOfMinute(minute);
    const int inDay = static_cast<int>(minute - days * kMinutesInADay);
    std::string name = nameOf(civilFromDays(days)) + " 00:00";
    name[11] = static_cast<char>('0' + inDay / 600);
    name[12] = static_cast<char>('0' + inDay / 60 % 10);
    name[14] = static_cast<char>('0' + inDay % 60 / 10);
    name[15] = static_cast<char>('0' + inDay % 10);
    return name;
}

std::optional<long long> readMoment(std::string_view text) {
    text = trimmed(text);
    if (text.size() != 16 || text[10] != ' ' || text[13] != ':' ||
        !isDayName(std::string(text.substr(0, 10)))) {
        return std::nullopt;
    }
    for (const std::size_t digit : {11, 12, 14, 15}) {
        if (text[digit] < '0' || text[digit] > '9') {
            return std::nullopt;
        }
    }
    const int hour = (text[11] - '0') * 10 + (text[12] - '0');
    const int minute = (text[14] - '0') * 10 + (text[15] - '0');
    if (hour > 23 || minute > 59) {
        return std::nullopt;
    }
    return dayNumber(std::string(text.substr(0, 10))) * kMinutesInADay + hour * 60LL + minute;
}

long long dayStart(const std::string& name, int startHour) {
    return dayNumber(name) * kMinutesInADay + startHour * 60LL;
}

long long nextHourAfter(long long minute, int hour) {
    const long long sameDay = dayOfMinute(minute) * kMinutesInADay + hour * 60LL;
    return sameDay > minute ? sameDay : sameDay + kMinutesInADay;
}
