// The calendar of play: which day of play a moment belongs to when each day starts at a chosen
// hour, and which texts name a day. It reads no clock: the moment is given.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// A moment of local time, to the minute.
struct LocalTime {
    int year = 1970;
    int month = 1;   // 1 to 12
    int day = 1;     // 1 to 31
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59
};

// The day of play that `moment` belongs to when each day starts at `startHour` (0 to 23): named
// "YYYY-MM-DD" by the date on which it starts, so 01:30 belongs to the day before when days start
// at 4.
std::string dayOfPlay(const LocalTime& moment, int startHour);

// Whether `name` is a date written "YYYY-MM-DD" that exists, from year 0001 to 9998: a day
// before or after a day name is one too.
bool isDayName(const std::string& name);
// Whether `moment` is a date and time the calendar can name: a day name's year, a month, a day
// of that month, an hour and a minute. A clock that shows another is not read.
bool readable(const LocalTime& moment);

// The day `days` after the day named `name` (before it when negative); `name` must be a day name.
std::string dayAfter(const std::string& name, int days);
// The number of the day named `name`, counted from 1970-01-01; `name` must be a day name.
long long dayNumber(const std::string& name);

// Moments as the clock shows them, counted in minutes from 1970-01-01 00:00, so that two can be
// compared and one moved on by hours; written "YYYY-MM-DD HH:MM".
long long minuteNumber(const LocalTime& moment);
std::string momentName(long long minute);
// A moment written as momentName writes one, blanks around it ignored; none otherwise.
std::optional<long long> readMoment(std::string_view text);
// The moment at which the day named `name` starts when days start at `startHour`.
long long dayStart(const std::string& name, int startHour);
// The first moment after `minute` at which the clock shows `hour`:00.
long long nextHourAfter(long long minute, int hour);
