// A bedtime, for the player who sets one ("bedtime", HH:MM): a time of night after which the
// next online match is the last. The night runs from bedtime to the day's start hour. Sundown
// never cuts a match short: a match approved in the night, or one the night begins in, is played
// to its end, and the session ends after it. It reads no clock: the shell gives the moment.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Calendar.h"

struct ClockTime {
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59
};

// A time written H:MM or HH:MM, from 00:00 to 23:59, blanks around it ignored; none otherwise.
std::optional<ClockTime> parseClockTime(std::string_view text);
// "HH:MM"; empty for none.
std::string writeClockTime(std::optional<ClockTime> time);

// The night a bedtime makes when days start at `startHour`: from bedtime to the start hour, over
// midnight when bedtime comes later in the day. None without a bedtime, or with one at the start
// hour itself.
struct Night {
    ClockTime from;
    int untilHour = 4;
    // Whether `moment` falls in the night, to the minute.
    bool holds(const LocalTime& moment) const;
};
std::optional<Night> nightOf(std::optional<ClockTime> bedtime, int startHour);

// One online match's part in the night: approved in the night, or the night begun during it.
class MatchNight {
  public:
    // The kick-off that approves an online match; whether it is in the night. The number
    // returned is what the match's watch ticks carry.
    std::uint32_t approve(bool inTheNight);
    // A tick of the match's watch: whether the night has just begun in the match.
    bool tick(std::uint32_t run, bool inTheNight);
    bool watching(std::uint32_t run) const { return run == watchRun && inMatch; }
    // The match's end, in the night or not: whether the session ends after it.
    [[nodiscard]] bool end(bool inTheNight);
    // Whether the match in progress is the last.
    bool due() const { return lastMatch; }

  private:
    bool inMatch = false;
    bool lastMatch = false;
    std::uint32_t watchRun = 0;
};
