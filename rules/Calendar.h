// The calendar of play: which day of play a moment belongs to when each day starts at a chosen
// hour, and which texts name a day. It reads no clock: the moment is given.
#pragma once

#include <string>

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

// Whether `name` is a date written "YYYY-MM-DD" that exists.
bool isDayName(const std::string& name);

// The day `days` after the day named `name` (before it when negative); `name` must be a day name.
std::string dayAfter(const std::string& name, int days);
// The number of the day named `name`, counted from 1970-01-01; `name` must be a day name.
long long dayNumber(const std::string& name);
