// A day's budget of online play: the online matches and seconds of play of one day of play,
// held against the limits the player set. It reads no clock: the shell names the day each count
// belongs to, and times the match a second at a time.
#pragma once

#include <cstdint>
#include <string>

#include "SavedDay.h"

// The limits of a day: 0 is none; the budget is on while either is set.
struct DayLimits {
    std::int32_t matches = 0;
    std::int32_t minutes = 0;
    bool on() const { return matches > 0 || minutes > 0; }
};

class DailyBudget {
  public:
    // What "savedDay" held, read once after a load.
    bool loaded() const { return wasLoaded; }
    void load(const SavedDay& saved);
    // The counts are `today`'s: a day that has changed starts at 0.
    void roll(const std::string& today);

    // An approved online match starts being timed; its ticks carry the number returned, so that
    // a tick of a match already counted counts nothing.
    std::uint32_t startTiming();
    bool timing(std::uint32_t run) const { return timed && run == tickRun; }
    // The match's end: its time stops. Whether it was being timed.
    bool stopTiming();

    // One second of the timed match. Whether a minute of play now waits to be saved.
    bool countSecond();
    // One online match, won, lost or without a winner; held at 255.
    void countMatch();
    // Whether the day is at a limit, or would be with one more match.
    bool spent(const DayLimits& limits, bool countingOneMore) const;
    // What to save now; the seconds not yet saved start again from here.
    SavedDay save();

    const std::string& name() const { return day; }
    std::uint8_t matches() const { return matchesPlayed; }
    std::int32_t seconds() const { return secondsPlayed; }

  private:
    std::string day;  // empty until known
    std::uint8_t matchesPlayed = 0;
    std::int32_t secondsPlayed = 0;
    bool wasLoaded = false;
    bool timed = false;
    std::uint32_t tickRun = 0;
    std::int32_t unsavedSeconds = 0;
};
