// A day's budget of online play: the online matches and seconds of play of one day of play,
// held against the limits the player set, and the moment that day ends. It reads no clock: the
// shell gives the moment, and times the match a second at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Calendar.h"
#include "SavedDay.h"

// What following the clock did to the day: whether what is saved must change, and the day that
// ended with play, if one did.
struct DayFollowed {
    bool changed = false;
    std::optional<SavedDay> ended;
};

// The limits of a day: 0 is none; the budget is on while either is set.
struct DayLimits {
    std::int32_t matches = 0;
    std::int32_t minutes = 0;
    bool on() const { return matches > 0 || minutes > 0; }
};

class DailyBudget {
  public:
    // What "savedDay" held, read once after a load, when days start at `startHour`. A day saved
    // without its end ends at the first start hour after it began.
    bool loaded() const { return wasLoaded; }
    void load(const SavedDay& saved, int startHour);
    // The day at `moment` when days start at `startHour`, and whether a history is kept now.
    // The day in progress ends when the clock reaches its end, and the next is named by the
    // clock and ends at the first start hour after it began. A start hour other than the one
    // the end was set under moves the end to the first time the clock shows the new hour after
    // this moment. A clock set back leaves the day in progress and its end, unless the day is
    // named more than one day after the clock's: a wrong clock, whose day it takes, counts kept.
    DayFollowed follow(const LocalTime& moment, int startHour, bool historyKept);
    // The counts `follow` would leave, without following: what the page shows.
    DailyBudget at(const LocalTime& moment, int startHour) const;

    // An approved online match starts being timed; its ticks carry the number returned, so that
    // a tick of a match already counted counts nothing.
    std::uint32_t startTiming();
    bool timing(std::uint32_t run) const { return timed && run == tickRun; }
    // The match's end: its time stops. Whether it was being timed.
    [[nodiscard]] bool stopTiming();

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
    std::optional<long long> end() const { return endsAt; }

  private:
    // A new day named by the clock at `moment`, from nothing.
    void startDay(const LocalTime& moment, int startHour, bool historyKept);

    std::string day;  // empty until known
    std::optional<long long> endsAt;
    std::uint8_t matchesPlayed = 0;
    std::int32_t secondsPlayed = 0;
    bool historyKeptToday = false;
    bool wasLoaded = false;
    bool timed = false;
    std::uint32_t tickRun = 0;
    std::int32_t unsavedSeconds = 0;
};
