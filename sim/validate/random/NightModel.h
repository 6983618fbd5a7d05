// The random player's own model of bedtime: the night a bedtime text makes, and the watch over an
// approved online match, a look a second from its kick-off with whatever bedtime is set then.
// Written apart from the plug-in's code.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace randomPlay {

// Whether the clock at `wallSeconds` shows a date Sundown can name: the years 0001 to 9998.
// Any other is a clock that cannot be read: no night, and the day in progress goes on.
bool clockReadable(std::int64_t wallSeconds);

// "HH:MM" of a minute of the day.
std::string clockText(int minuteOfDay);

// The night's first and last minute of the day, from bedtime to the start hour; none when the
// text is no time from 00:00 to 23:59 (H:MM or HH:MM, blanks around it) or is the start hour.
struct NightTimes {
    int from = 0;   // minutes after midnight
    int until = 0;  // minutes after midnight: the start hour
    bool holds(std::int64_t wallSeconds) const;
    std::string line() const;  // "Bedtime: 23:30 to 04:00"
};
std::optional<NightTimes> nightFrom(const std::string& bedtime, int startHour);

class NightModel {
  public:
    // The kick-off that approves an online match at virtual time `now`, bedtime set or not.
    void approve(std::int64_t now, std::int64_t wallAtZero, const std::optional<NightTimes>& night);
    // The looks due by `now`, with the night as it stands; call before it changes.
    void catchUp(std::int64_t now, std::int64_t wallAtZero, const std::optional<NightTimes>& night);
    // The match's end: whether bedtime ends the session after it. A bedtime cleared during the
    // match lifts it.
    bool end(std::int64_t wallSeconds, const std::optional<NightTimes>& night);
    bool due() const { return lastMatch; }
    // The game quit: no more looks.
    void gameQuit() { nextTick = std::numeric_limits<std::int64_t>::max(); }

  private:
    bool inMatch = false;
    bool lastMatch = false;
    std::int64_t nextTick = 0;
};

}  // namespace randomPlay
