// A lock on the player's own limits until the day in progress ends, for the player who takes
// one: while it holds, limits can be tightened but not loosened. It ends with the day it was
// taken in, by the day's own rules: at the day's end, or when a wrong clock's day is taken for
// today. It reads no clock and no setting: the shell gives the moment and the limits, and saves
// the text it writes ("savedLock").
#pragma once

#include <optional>
#include <string>

#include "Calendar.h"
#include "LockedLimits.h"

class Lock {
  public:
    // Locks `limits` for the day named `day`, until `end` (a moment as minuteNumber counts them).
    void take(const std::string& day, long long end, const LockedLimits& limits);
    bool held() const { return holding; }
    // The clock at `moment`: whether the lock has just ended. It ends at its end, or when the day
    // it was taken in is named more than a day after the clock's, or ends more than two days
    // after it (the day's budget then takes the clock's day for today). A clock set back within
    // that leaves it held.
    bool follow(const LocalTime& moment, int startHour);
    // The player's limits as set now, held to the lock: what to put back. The kept limits are
    // the lock's from here on, so a limit tightened stays tightened.
    Holding hold(const LockedLimits& set);

    long long end() const { return endsAt; }
    const std::string& day() const { return lockedDay; }
    const LockedLimits& limits() const { return locked; }

    // What "savedLock" holds while the lock holds; empty when it does not.
    std::string save() const;
    // A text that cannot be read is no lock.
    void load(const std::string& saved);

  private:
    bool holding = false;
    std::string lockedDay;
    long long endsAt = 0;
    LockedLimits locked;
};

// The time of day of a moment as minuteNumber counts them.
ClockTime clockOf(long long minute);
