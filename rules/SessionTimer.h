// The session timer's arithmetic: the limit, a second counted, and the heads-ups as the limit
// nears. The shell arms the ticks and leaves the game.
#pragma once

#include <cstdint>

// Whether a tick that finds these minutes counted ends the run.
inline bool timerLimitReached(std::int32_t minutesElapsed, std::int32_t maxMinutes) {
    return minutesElapsed >= maxMinutes;
}

// Counts one second, rolling the seconds over into a minute at 60. Whether a minute was reached.
[[nodiscard]] bool countTimerSecond(std::int32_t& minutesElapsed, std::int32_t& secondsElapsed);

// The heads-up due at the tick that reaches `minutesElapsed`: five minutes, then one minute,
// before the limit (for limits longer than that); null when none.
const char* timeLeftHeadsUp(std::int32_t minutesElapsed, std::int32_t maxMinutes);

// Which run of the timer an armed tick belongs to: a tick of an earlier run must not count in
// this one.
class TimerRuns {
  public:
    std::uint32_t start() { return ++latest; }
    std::uint32_t current() const { return latest; }
    bool isCurrent(std::uint32_t run) const { return run == latest; }

  private:
    std::uint32_t latest = 0;
};
